// The host's form machinery: forms load hidden, timers tick on the
// user-interface thread without overlapping, and the message loop ends when
// the last form unloads.
#include "forms/application.h"
#include "forms/font.h"
#include "forms/twips.h"
#include "forms/form.h"
#include "forms/timer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kTickMs = 20;

class ProbeForm : public Form {
public:
    ProbeForm() : Form(L"Sorvane forms test") {}
    int loads = 0, unloads = 0;
    bool refuseUnload = false;

protected:
    void Form_Load() override { ++loads; }
    void QueryUnload(bool& cancel) override { cancel = refuseUnload; }
    void Form_Unload() override { ++unloads; }
};

// Bounds a wait: a generous deadline, not the behaviour.
constexpr DWORD kGiveUpMs = 30000;

// Pumps messages on this thread until done() holds or `ms` milliseconds have
// passed; whether done() held.
template <typename Done>
bool PumpUntil(Done done, DWORD ms)
{
    const DWORD start = GetTickCount();
    MSG message;
    while (!done() && GetTickCount() - start < ms) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(1);
    }
    return done();
}

TEST(Forms, LoadHiddenRunLoadOnceAndUnloadUnlessRefused)
{
    ProbeForm form;
    form.Load();
    form.Load();
    ASSERT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.loads, 1);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(FindWindowA(nullptr, "Sorvane forms test"), form.Handle()) << "hidden windows are found by title";
    EXPECT_EQ(Application::LoadedFormCount(), 1);

    form.refuseUnload = true;
    EXPECT_FALSE(form.Unload());
    EXPECT_TRUE(form.IsLoaded());
    form.refuseUnload = false;
    EXPECT_TRUE(form.Unload());
    EXPECT_EQ(form.unloads, 1);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(FindWindowA(nullptr, "Sorvane forms test"), nullptr);
    EXPECT_EQ(Application::LoadedFormCount(), 0);
}

TEST(Forms, TimersTickOnTheUiThreadNeverOverlapAndStaySilentWhenDisabled)
{
    ProbeForm form;
    form.Load();
    const DWORD uiThread = GetCurrentThreadId();
    int ticks = 0, running = 0, overlaps = 0;
    std::vector<DWORD> threads;
    Timer busy(form, [&] {
        ++ticks;
        threads.push_back(GetCurrentThreadId());
        if (++running > 1) ++overlaps;
        PumpUntil([] { return false; }, 3 * kTickMs);  // a handler that takes a while: the next ticks fall due
        --running;
    });
    int silentTicks = 0;
    Timer silent(form, [&] { ++silentTicks; });
    silent.SetInterval(kTickMs);

    busy.SetInterval(kTickMs);
    busy.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, kGiveUpMs)) << "the timer ticked " << ticks << " times";
    busy.SetEnabled(false);

    EXPECT_EQ(overlaps, 0);
    for (DWORD thread : threads) EXPECT_EQ(thread, uiThread);
    EXPECT_EQ(silentTicks, 0);
    form.Unload();
}

TEST(Forms, TheMessageLoopEndsWhenTheLastFormUnloads)
{
    ProbeForm first, second;
    first.Load();
    second.Load();
    int ticks = 0;
    Timer closer(first, [&] {
        if (++ticks == 2) second.Unload();
        if (ticks == 3) first.Unload();
    });
    closer.SetInterval(kTickMs);
    closer.SetEnabled(true);
    Application::RunMessageLoop();
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(Application::LoadedFormCount(), 0);
}

}  // namespace

// The true ratio, rounded down once: 1440 / dpi as a whole number of twips
// per pixel drifts at 168 and 192 dots per inch.
TEST(Twips, BecomePixelsAtTheTrueRatioOfAnyResolution)
{
    struct Row {
        double twips;
        int dpi, pixels;
    };
    const Row table[] = {{15, 96, 1},      {1155, 96, 77},   {375, 96, 25},    {1155, 120, 96},  {375, 120, 31},
                         {1155, 144, 115}, {375, 144, 37},   {1155, 168, 134}, {375, 168, 43},   {1155, 192, 154},
                         {375, 192, 50},   {7440, 120, 620}, {3645, 120, 303}, {7440, 144, 744}, {3645, 144, 364},
                         {1, 192, 0},      {7440, 168, 868}};
    for (const Row& row : table)
        EXPECT_EQ(TwipsToPixels(row.twips, row.dpi), row.pixels) << row.twips << " twips at " << row.dpi << " dpi";
}

TEST(Fonts, TheDialogsJapaneseGothicIsAProportionalShiftJisFaceThatIsInstalled)
{
    const FontDescription gothic{L"ＭＳ Ｐゴシック", 9.75, 400, false, false, false, SHIFTJIS_CHARSET};
    const UniqueFont font = CreateFontOf(gothic, ScreenDpi());
    ASSERT_TRUE(font);
    const UniqueWindowDc screen = ScreenDc();
    const SelectedObject selected(screen.get(), font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    SIZE narrow{}, wide{};
    GetTextExtentPoint32W(screen.get(), L"i", 1, &narrow);
    GetTextExtentPoint32W(screen.get(), L"W", 1, &wide);
    EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET) << "a face with Japanese glyphs";
    EXPECT_LT(narrow.cx, wide.cx) << "proportional, not fixed pitch";
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 13) << "9.75 points at 96 dots per inch";
    // A face that is no Japanese Gothic is asked for as it is.
    EXPECT_EQ(InstalledFace(L"No Such Face"), L"No Such Face");
}
