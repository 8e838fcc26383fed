// The settings dialog loaded for real in the test process: what it shows for
// each stored setting, choosing a source by mark or by name, saving and
// cancelling (the settings file's bytes), the link through a recording shell,
// and its two gradients read back from the persistent images.
#include "dialog/dialog.h"

#include "ansi_text.h"

#include "../renderer/test_files.h"
#include "client_pixels.h"
#include "dialog/dialog_rules.h"
#include "settings.h"
#include "settings_file.h"
#include "dialog/dialog_platform.h"
#include "forms/twips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "dialog/accessible_roles.h"
#include "role_recorder.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

LPARAM At(POINT point) { return MAKELPARAM(point.x, point.y); }

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A press and a release, as the mouse gives them to a window.
void ClickWindow(HWND window, POINT point)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(point));
    SendMessageW(window, WM_LBUTTONUP, 0, At(point));
}

// Every message sent to a window of this thread, shown to the test before the
// window gets it, while the watch lives.
class SentMessageWatch {
public:
    explicit SentMessageWatch(std::function<void(const CWPSTRUCT&)> seen)
        : seen_(std::move(seen)), hook_(SetWindowsHookExW(WH_CALLWNDPROC, Seen, nullptr, GetCurrentThreadId()))
    {
        current = this;
    }
    ~SentMessageWatch() { current = nullptr; }
    SentMessageWatch(const SentMessageWatch&) = delete;
    SentMessageWatch& operator=(const SentMessageWatch&) = delete;

    bool Watching() const { return static_cast<bool>(hook_); }

private:
    static LRESULT CALLBACK Seen(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && current) current->seen_(*reinterpret_cast<const CWPSTRUCT*>(lParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline SentMessageWatch* current = nullptr;
    std::function<void(const CWPSTRUCT&)> seen_;
    UniqueHook hook_;
};

// What has been posted to the thread's windows meanwhile, handled.
void DispatchWaitingMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

constexpr int kLargerDpi = 144;

int At144(int twips) { return twips * kLargerDpi / 1440; }

// The rectangle the system suggests for a window moved onto a monitor at 144
// dpi: one and a half times its size, from the given corner.
RECT SuggestedAt144(HWND window, POINT corner)
{
    RECT now{};
    GetWindowRect(window, &now);
    return {corner.x, corner.y, corner.x + (now.right - now.left) * 3 / 2, corner.y + (now.bottom - now.top) * 3 / 2};
}

void ChangeScaleTo144(HWND window, const RECT& suggested)
{
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(kLargerDpi, kLargerDpi), reinterpret_cast<LPARAM>(&suggested));
}

// True when the focus is on the control or on a window inside it (the track
// box's text field).
bool HoldsFocus(HWND control)
{
    const HWND focus = GetFocus();
    return focus && (focus == control || IsChild(control, focus));
}

struct ShellCall {
    HWND owner = nullptr;
    std::string operation, file, parameters, directory;
    int showCommand = -1;
    HCURSOR cursorDuringCall = nullptr;
};

class RecordingShell final : public DialogPlatform {
public:
    void Execute(HWND owner, const char* operation, const char* file, const char* parameters, const char* directory,
                 int showCommand) override
    {
        calls.push_back({owner, operation, file, parameters, directory, showCommand, GetCursor()});
    }
    BOOL OpenFileName(OPENFILENAMEW&) override { return FALSE; }
    std::vector<ShellCall> calls;
};

class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        music = WriteTestFile("dialog-music.mp3", {'I', 'D', '3'});
        folder = FolderOfPath(music, IsAnsiLeadByte);
        SetProgramFolder(folder);
        DeleteFileA(SettingsFilePath().c_str());
    }
    void TearDown() override
    {
        dialog.reset();
        UseDialogPlatform(nullptr);
        DeleteFileA(SettingsFilePath().c_str());
    }

    void WriteSettings(std::string_view text) { WriteSettingsFile(SettingsFilePath(), text); }

    // Loads the settings as start-up does and then the dialog, hidden.
    SettingsDialog& LoadDialogWith(std::string_view category, std::string_view repeat, const std::string& file)
    {
        WriteSettings(SettingsText(category, repeat, file));
        dialog.emplace(LoadSettings());
        dialog->Load();
        return *dialog;
    }

    bool Marked(int source) const
    {
        return dialog->Img_BGM[static_cast<std::size_t>(source)].picture == dialog->Img_Ra[1].picture;
    }

    // Clicks a windowless control of the music box.
    void ClickInBox(const WindowlessControl& control) { ClickWindow(dialog->Pic_C[0]->Handle(), Centre(control.bounds)); }

    // The pointer comes over the button first, as a hand moves it there.
    void ClickButton(Command& button)
    {
        SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, At({5, 5}));
        ClickWindow(button.Handle(), {5, 5});
    }

    std::string music, folder;
    std::optional<SettingsDialog> dialog;
};

TEST_F(SettingsDialogTest, LoadShowsEachCategoryWithItsMarkAndItsControlsEnabled)
{
    struct Case {
        const char* category;
        int marked;
        bool repeatEnabled, fileEnabled;
    };
    for (const Case& c : {Case{"0", 0, false, false}, Case{"1", 1, true, false}, Case{"2", 2, false, true},
                          Case{"5", -1, false, false}}) {
        SettingsDialog& form = LoadDialogWith(c.category, "0", music);
        for (int source = 0; source < kMusicCategoryCount; ++source)
            EXPECT_EQ(Marked(source), source == c.marked) << "category " << c.category << ", mark " << source;
        for (const ImageControl& mark : form.Img_BGM) EXPECT_NE(mark.picture, nullptr) << "every mark shows a picture";
        EXPECT_EQ(form.BGM_Repeat->Enabled(), c.repeatEnabled) << "category " << c.category;
        EXPECT_EQ(form.Cmd_File[0]->Enabled() != 0, c.fileEnabled) << "category " << c.category;
        EXPECT_EQ(form.Cmd_Set->Enabled(), kTrue);
        EXPECT_EQ(form.Cmd_Can->Enabled(), kTrue);
        dialog.reset();
    }
}

TEST_F(SettingsDialogTest, LoadFillsTheTrackBoxTheFileLabelAndThePointerPosition)
{
    POINT pointer{};
    GetCursorPos(&pointer);
    SettingsDialog& form = LoadDialogWith("1", "12", music);
    EXPECT_EQ(form.BGM_Repeat->Text(), L"12");
    ASSERT_EQ(form.BGM_Repeat->ListCount(), 31);
    EXPECT_EQ(form.BGM_Repeat->List(0), L"");
    EXPECT_EQ(form.BGM_Repeat->List(1), L"1");
    EXPECT_EQ(form.BGM_Repeat->List(30), L"30");
    EXPECT_EQ(form.lbl_Fname[0].Caption(), std::wstring(music.begin(), music.end()));
    EXPECT_EQ(DialogCursorX, pointer.x);
    EXPECT_EQ(DialogCursorY, pointer.y);

    dialog.reset();
    EXPECT_EQ(LoadDialogWith("1", "0", music).BGM_Repeat->Text(), L"") << "no track shows nothing";
}

TEST_F(SettingsDialogTest, TheWindowHasItsCaptionFrameAndClientSize)
{
    SettingsDialog& form = LoadDialogWith("0", "0", "");
    wchar_t caption[32] = {};
    GetWindowTextW(form.Handle(), caption, 32);
    EXPECT_STREQ(caption, L"<Sorvane>");
    const auto style = static_cast<DWORD>(GetWindowLongW(form.Handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 496);
    EXPECT_EQ(client.bottom, 243);
    EXPECT_NE(SendMessageW(form.Handle(), WM_GETICON, ICON_BIG, 0), 0);
    // The credit line stays clear of the link and the two buttons.
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &form.lbl_Credit.bounds, &form.lbl_URL.bounds));
    for (Command* button : {&*form.Cmd_Set, &*form.Cmd_Can}) {
        RECT placed{};
        GetWindowRect(button->Handle(), &placed);
        MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_FALSE(IntersectRect(&overlap, &form.lbl_Credit.bounds, &placed));
    }
}

TEST_F(SettingsDialogTest, ChoosingBySourceMarkOrNameMovesTheMarkAndTheEnabledControls)
{
    SettingsDialog& form = LoadDialogWith("0", "0", "");
    ClickInBox(form.lbl_BGM[1]);
    EXPECT_EQ(BgmCategory, 1);
    EXPECT_TRUE(Marked(1) && !Marked(0) && !Marked(2));
    EXPECT_TRUE(form.BGM_Repeat->Enabled());
    EXPECT_EQ(form.Cmd_File[0]->Enabled(), kFalse);

    ClickInBox(form.Img_BGM[2]);
    EXPECT_EQ(BgmCategory, 2);
    EXPECT_TRUE(Marked(2) && !Marked(1));
    EXPECT_FALSE(form.BGM_Repeat->Enabled());
    EXPECT_EQ(form.Cmd_File[0]->Enabled(), kTrue);

    // Any mouse button chooses.
    const POINT none = Centre(form.Img_BGM[0].bounds);
    SendMessageW(form.Pic_C[0]->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(none));
    SendMessageW(form.Pic_C[0]->Handle(), WM_RBUTTONUP, 0, At(none));
    EXPECT_EQ(BgmCategory, 0);
    EXPECT_FALSE(form.BGM_Repeat->Enabled());
    EXPECT_EQ(form.Cmd_File[0]->Enabled(), kFalse);
}

TEST_F(SettingsDialogTest, SavingWritesTheThreeKeysInOrderAndCloses)
{
    DeleteFileA(SettingsFilePath().c_str());
    LoadSettings();
    dialog.emplace();
    dialog->Load();
    ClickInBox(dialog->lbl_BGM[1]);
    dialog->BGM_Repeat->SetText(L"3.5");
    ClickButton(*dialog->Cmd_Set);
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_EQ(BgmRepeat, 4);
    EXPECT_EQ(ReadTestFile(SettingsFilePath()), SettingsText("1", "4", ""));
}

TEST_F(SettingsDialogTest, FullWidthDigitsAsTheInputMethodTypesThemSaveTheirNumber)
{
    SettingsDialog& form = LoadDialogWith("1", "0", "");
    form.BGM_Repeat->SetText(L"１２");
    ClickButton(*form.Cmd_Set);
    EXPECT_EQ(BgmRepeat, 12);
}

TEST_F(SettingsDialogTest, SavingKeepsWhatElseTheFileHolds)
{
    SettingsDialog& form = LoadDialogWith("2", "9", music);
    // Other content before and after, as a user may have left it.
    WriteSettings("; kept\r\n[Other]\r\nkey=value\r\n[Section]\r\nBGMﾌｧｲﾙ=old\r\nBGM区分=0\r\n");
    form.BGM_Repeat->SetText(L"abc");
    ClickButton(*form.Cmd_Set);
    EXPECT_EQ(ReadTestFile(SettingsFilePath()), "; kept\r\n[Other]\r\nkey=value\r\n[Section]\r\nBGMﾌｧｲﾙ=" + music +
                                                 "\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=0\r\n");
}

TEST_F(SettingsDialogTest, CancellingAndTheCloseBoxWriteNothingButKeepTheChoiceInMemory)
{
    SettingsDialog& form = LoadDialogWith("0", "3", "");
    const std::string before = ReadTestFile(SettingsFilePath());
    ClickInBox(form.lbl_BGM[2]);
    ClickButton(*form.Cmd_Can);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(ReadTestFile(SettingsFilePath()), before);
    EXPECT_EQ(BgmCategory, 2);
    // Every control knows that its window went with the form's, so none is
    // destroyed again under a handle that may name another window by then.
    EXPECT_EQ(form.BGM_Repeat->Handle(), nullptr);
    EXPECT_EQ(form.Cmd_Set->Handle(), nullptr);
    EXPECT_EQ(form.Pic_C[0]->Handle(), nullptr);

    dialog.reset();
    DeleteFileA(SettingsFilePath().c_str());
    dialog.emplace();
    dialog->Load();
    ClickInBox(dialog->lbl_BGM[1]);
    SendMessageW(dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_FALSE(Exists(SettingsFilePath())) << "the close box must not create the file";
}

TEST_F(SettingsDialogTest, TheLinkOpensTheAddressUnderAnHourglassAndEndsOnTheArrow)
{
    RecordingShell shell;
    UseDialogPlatform(&shell);
    SettingsDialog& form = LoadDialogWith("0", "0", "");
    ClickWindow(form.Handle(), Centre(form.lbl_URL.bounds));
    ASSERT_EQ(shell.calls.size(), 1u);
    const ShellCall& call = shell.calls.front();
    EXPECT_EQ(call.owner, form.Handle());
    EXPECT_EQ(call.operation, "open");
    EXPECT_EQ(call.file, "https://sorvane.example.org/");
    EXPECT_EQ(std::wstring(call.file.begin(), call.file.end()), form.lbl_URL.Caption());
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(call.cursorDuringCall, LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));

    // A press on the link released elsewhere opens nothing.
    SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(form.lbl_URL.bounds)));
    SendMessageW(form.Handle(), WM_LBUTTONUP, 0, At({2, 2}));
    EXPECT_EQ(shell.calls.size(), 1u);
    // Nor does a right or middle click on it: the link is for the left button.
    SendMessageW(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(Centre(form.lbl_URL.bounds)));
    SendMessageW(form.Handle(), WM_RBUTTONUP, 0, At(Centre(form.lbl_URL.bounds)));
    SendMessageW(form.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, At(Centre(form.lbl_URL.bounds)));
    SendMessageW(form.Handle(), WM_MBUTTONUP, 0, At(Centre(form.lbl_URL.bounds)));
    EXPECT_EQ(shell.calls.size(), 1u);

    // From the keyboard: the link's tab stop shows the cue, Enter and Space
    // open it, a key held down opens it once.
    form.Show();
    const HWND link = form.TabStops().back();
    SetFocus(link);
    EXPECT_TRUE(form.lbl_URL.focusCue);
    SendMessageW(link, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(link, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(link, WM_KEYDOWN, VK_SPACE, LPARAM{1} << 30);  // the key's repeat
    EXPECT_EQ(shell.calls.size(), 3u);
    SetFocus(form.Cmd_Set->Handle());
    EXPECT_FALSE(form.lbl_URL.focusCue);
}

TEST_F(SettingsDialogTest, BothGradientsFollowTheSineRuleAndSurviveRepaints)
{
    SettingsDialog& form = LoadDialogWith("1", "0", "");
    form.Show();
    for (int repaint = 0; repaint < 2; ++repaint) {
        const ClientPixels dialogPixels(form.Handle());
        const std::vector<int> dialogRows = SineGradient(dialogPixels.height);
        for (int y : {0, 20, 60, 121, 200, 242}) {
            const Rgb c = DialogGradientColour(dialogRows[static_cast<std::size_t>(y)]);
            EXPECT_EQ(dialogPixels.At(4, y), RGB(c.red, c.green, c.blue)) << "dialog row " << y;
        }
        const ClientPixels boxPixels(form.Pic_C[0]->Handle());
        EXPECT_EQ(boxPixels.height, 165);
        const std::vector<int> boxRows = SineGradient(boxPixels.height);
        for (int y : {0, 40, 82, 150, 164}) {
            const Rgb c = BoxGradientColour(boxRows[static_cast<std::size_t>(y)]);
            EXPECT_EQ(boxPixels.At(4, y), RGB(c.red, c.green, c.blue)) << "box row " << y;
        }
        // The marks stand on the gradient: the CD's is selected (blue middle).
        const RECT cdMark = form.Img_BGM[1].bounds;
        EXPECT_EQ(boxPixels.At(cdMark.left + 6, cdMark.top + 6), RGB(0, 84, 227));
        const RECT noneMark = form.Img_BGM[0].bounds;
        EXPECT_EQ(boxPixels.At(noneMark.left + 6, noneMark.top + 6), RGB(250, 250, 252));
        EXPECT_EQ(boxPixels.At(noneMark.left, noneMark.top + 6), RGB(128, 128, 128));
        // The title's frame: a black outline at its place.
        EXPECT_EQ(boxPixels.At(20, 20), RGB(0, 0, 0));
        EXPECT_EQ(boxPixels.At(20 + 112, 20 + 20), RGB(0, 0, 0));
        InvalidateRect(form.Handle(), nullptr, TRUE);
        UpdateWindow(form.Handle());
    }
}

// Pixels of the label's box that its text changes: its container drawn with
// the caption and without it.
int InkOfLabel(Label& label, HWND container)
{
    const RECT area = label.bounds;
    const std::wstring caption = label.Caption();
    const ClientPixels with(container);
    label.SetCaption(L"");
    const ClientPixels without(container);
    label.SetCaption(caption);
    int ink = 0;
    for (int y = std::max(0, static_cast<int>(area.top)); y < std::min(static_cast<int>(area.bottom), with.height); ++y)
        for (int x = std::max(0, static_cast<int>(area.left)); x < std::min(static_cast<int>(area.right), with.width); ++x)
            ink += with.At(x, y) != without.At(x, y) ? 1 : 0;
    return ink;
}

// Pixels the same text takes in the same font, drawn in black on white by
// the system itself into a box of the same size.
int InkOfText(const std::wstring& text, HFONT font, const RECT& area)
{
    const ClientPixels drawn(area.right - area.left, area.bottom - area.top, [&](HDC dc) {
        RECT box{0, 0, area.right - area.left, area.bottom - area.top};
        FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const SelectedObject selectedFont(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, text.c_str(), -1, &box, DT_NOPREFIX | DT_SINGLELINE);
    });
    int ink = 0;
    for (int y = 0; y < drawn.height; ++y)
        for (int x = 0; x < drawn.width; ++x) ink += drawn.At(x, y) != RGB(255, 255, 255) ? 1 : 0;
    return ink;
}

// Every caption is drawn, in its own font and as the system draws that text:
// a blank label, or one whose text went through the wrong code page, does
// not take the pixels its text takes.
TEST_F(SettingsDialogTest, EveryLabelDrawsItsTextAsTheSystemDrawsItInItsFont)
{
    SettingsDialog& form = LoadDialogWith("0", "0", "");
    form.Show();
    const HWND box = form.Pic_C[0]->Handle();
    struct Drawn {
        Label& label;
        HWND container;
    };
    const Drawn labels[] = {{form.lbl_BGM[0], box},        {form.lbl_BGM[1], box},     {form.lbl_BGM[2], box},
                            {form.lbl.at(14), box},        {form.lbl.at(15), box},     {form.lbl_Credit, form.Handle()},
                            {form.lbl_URL, form.Handle()}};
    for (const Drawn& drawn : labels) {
        const std::wstring caption = drawn.label.Caption();
        const int expected = InkOfText(caption, drawn.label.font, drawn.label.bounds);
        ASSERT_GT(expected, 20) << AnsiFromWide(caption);
        // The very pixels, within a hundredth: 音楽CD read through code page 1252
        // takes 161 where its own text takes 157.
        EXPECT_NEAR(InkOfLabel(drawn.label, drawn.container), expected, 0.01 * expected) << AnsiFromWide(caption);
    }
}

// Tab follows the page top to bottom: the sources (one stop), the track box,
// "...", "設定", "ｷｬﾝｾﾙ", the link; ShowModal gives the focus to the first,
// the sources, whatever is enabled; a disabled control is no stop.
TEST_F(SettingsDialogTest, TabGoesDownThePageFromTheSourcesToTheLinkPassingWhatIsDisabled)
{
    for (const auto& [category, skipped] : {std::pair{"0", std::vector<std::size_t>{1, 2}},
                                            {"1", std::vector<std::size_t>{2}}, {"2", std::vector<std::size_t>{1}}}) {
        dialog.reset();
        SettingsDialog& form = LoadDialogWith(category, "0", music);
        form.Show();
        const std::vector<HWND> stops = form.TabStops();
        ASSERT_EQ(stops.size(), 6u);
        EXPECT_EQ(stops[1], form.BGM_Repeat->Handle());
        EXPECT_EQ(stops[3], form.Cmd_Set->Handle());
        std::vector<HWND> order;
        for (std::size_t i = 0; i < stops.size(); ++i)
            if (std::find(skipped.begin(), skipped.end(), i) == skipped.end()) order.push_back(stops[i]);
        order.push_back(stops[0]);
        EXPECT_EQ(GetNextDlgTabItem(form.Handle(), nullptr, FALSE), stops[0]) << "category " << category;
        for (std::size_t i = 0; i + 1 < order.size(); ++i)
            EXPECT_EQ(GetNextDlgTabItem(form.Handle(), order[i], FALSE), order[i + 1])
                << "category " << category << ", after stop " << i;
    }
}

// A screen reader names a control by its window's text: the gradient buttons
// and the stand-ins for the sources and the link would be nameless.
TEST_F(SettingsDialogTest, EveryTabStopCarriesTheNameAScreenReaderReads)
{
    SettingsDialog& form = LoadDialogWith("1", "0", music);
    const std::vector<HWND> stops = form.TabStops();
    ASSERT_EQ(stops.size(), 6u);
    const auto text = [](HWND window) {
        wchar_t buffer[256] = {};
        GetWindowTextW(window, buffer, 256);
        return std::wstring(buffer);
    };
    EXPECT_EQ(text(stops[0]), L"音楽CD") << "the sources by the one chosen";
    EXPECT_EQ(text(form.Cmd_File[0]->Handle()), L"...");
    EXPECT_EQ(text(form.Cmd_Set->Handle()), L"設定");
    EXPECT_EQ(text(form.Cmd_Can->Handle()), L"ｷｬﾝｾﾙ");
    EXPECT_EQ(text(stops[5]), form.lbl_URL.Caption()) << "the link by its address";
    SendMessageW(stops[0], WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(text(stops[0]), L"なし") << "the name follows the choice";
}

TEST_F(SettingsDialogTest, ArrowsOnTheSourcesChooseAsAClickDoesAndTheCueFollowsEveryChoice)
{
    SettingsDialog& form = LoadDialogWith("0", "0", music);
    form.Show();
    const HWND sources = form.TabStops()[0];
    SetFocus(sources);
    EXPECT_TRUE(form.lbl_BGM[0].focusCue) << "the cue on the chosen source's name";
    SendMessageW(sources, WM_KEYDOWN, VK_UP, 0);
    EXPECT_TRUE(Marked(1));
    EXPECT_EQ(BgmCategory, 1);
    EXPECT_TRUE(form.BGM_Repeat->Enabled());
    EXPECT_TRUE(form.lbl_BGM[1].focusCue);
    EXPECT_FALSE(form.lbl_BGM[0].focusCue);
    SendMessageW(sources, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(sources, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(Marked(2));
    EXPECT_EQ(form.Cmd_File[0]->Machine().EnabledFlag, kTrue);
    EXPECT_FALSE(form.BGM_Repeat->Enabled());
    // A choice made with the mouse while the sources hold the focus.
    ClickInBox(form.lbl_BGM[0]);
    EXPECT_EQ(GetFocus(), sources);
    EXPECT_TRUE(form.lbl_BGM[0].focusCue) << "the cue on the source just chosen";
    EXPECT_FALSE(form.lbl_BGM[2].focusCue) << "the cue left on the source chosen before";
    SetFocus(form.Cmd_Set->Handle());
    EXPECT_FALSE(form.lbl_BGM[0].focusCue) << "no cue without the focus";
}

// A click on a source leaves the focus where it is, unless the control that
// holds it ends up disabled: then it goes on to the next enabled tab stop. A
// click on the source chosen already disables nothing, not even in passing.
TEST_F(SettingsDialogTest, AClickOnASourceMovesTheFocusOnlyFromAControlItDisables)
{
    enum class Control { TrackBox, FileButton, SetButton };
    struct Case {
        int chosen;
        Control focused;
        int clicked;
        Control focusAfter;
    };
    SettingsDialog& form = LoadDialogWith("0", "0", music);
    form.Show();
    const auto window = [&form](Control control) {
        switch (control) {
        case Control::TrackBox: return form.BGM_Repeat->Handle();
        case Control::FileButton: return form.Cmd_File[0]->Handle();
        case Control::SetButton: break;
        }
        return form.Cmd_Set->Handle();
    };
    for (const Case& c : {Case{1, Control::TrackBox, 0, Control::SetButton},
                          Case{2, Control::FileButton, 1, Control::SetButton},
                          Case{1, Control::TrackBox, 1, Control::TrackBox},
                          Case{2, Control::FileButton, 2, Control::FileButton}}) {
        ClickInBox(form.lbl_BGM[static_cast<std::size_t>(c.chosen)]);
        SetFocus(window(c.focused));
        ASSERT_TRUE(HoldsFocus(window(c.focused))) << "source " << c.chosen;
        ClickInBox(form.lbl_BGM[static_cast<std::size_t>(c.clicked)]);
        EXPECT_TRUE(HoldsFocus(window(c.focusAfter))) << "source " << c.chosen << ", then a click on " << c.clicked;
        if (c.focused == Control::FileButton) {
            EXPECT_EQ(form.Cmd_File[0]->Machine().ButtonState,
                      c.focusAfter == Control::FileButton ? kStateFocused : kStateNormal)
                << "focused only while it has the focus (a disabled one left focused would swallow the next "
                   "click); source "
                << c.chosen;
        }
    }
}

TEST_F(SettingsDialogTest, AStoredFileOutOfReachIsShownChosenAndSavedBackUnchanged)
{
    const std::string gone = "C:\\sorvane-nowhere\\表\\gone.mp3";
    SettingsDialog& form = LoadDialogWith("2", "3", gone);
    EXPECT_TRUE(Marked(2));
    EXPECT_EQ(form.lbl_Fname[0].Caption(), WideFromAnsi(gone));
    EXPECT_EQ(form.Cmd_File[0]->Machine().EnabledFlag, kTrue);
    ClickButton(*form.Cmd_Set);
    EXPECT_EQ(ReadIniString(kSettingsSection, kCategoryKey, SettingsFilePath()), "2");
    EXPECT_EQ(ReadIniString(kSettingsSection, kFileKey, SettingsFilePath()), gone);
    // The run still plays nothing while the file is out of reach.
    LoadSettings();
    EXPECT_EQ(BgmCategory, 0);
    EXPECT_EQ(BgmFile, "");
}

// Moved while the dialog is the active window, or while another window is
// (the user changing the display's scale in the system's settings): either
// way the control that had the focus has it again once the dialog is active.
TEST_F(SettingsDialogTest, MovedToAMonitorAt144DpiItLaysItselfOutAsIfOpenedThere)
{
    for (const bool anotherWindowActive : {false, true}) {
        dialog.reset();
        SettingsDialog& form = LoadDialogWith("2", "0", music);
        form.Show();
        form.BGM_Repeat->SetText(L"12");
        SetFocus(form.Cmd_File[0]->Handle());
        const UniqueWindow other(anotherWindowActive ? CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                                                       0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr)
                                                     : nullptr);
        if (anotherWindowActive) {
            SetActiveWindow(other.get());
            ASSERT_EQ(GetActiveWindow(), other.get());
        }
        RECT window{};
        GetWindowRect(form.Handle(), &window);
        ChangeScaleTo144(form.Handle(), SuggestedAt144(form.Handle(), {window.left, window.top}));
        if (anotherWindowActive) SetActiveWindow(form.Handle());

        RECT client{};
        GetClientRect(form.Handle(), &client);
        EXPECT_EQ(client.right, At144(7440));
        EXPECT_EQ(client.bottom, At144(3645));
        const auto placeIn = [](HWND control, HWND container) {
            RECT r{};
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
            return r;
        };
        const RECT set = placeIn(form.Cmd_Set->Handle(), form.Handle());
        EXPECT_EQ(set.left, At144(4860));
        EXPECT_EQ(set.top, At144(3000));
        EXPECT_EQ(set.right - set.left, At144(1155));
        EXPECT_EQ(set.bottom - set.top, At144(375));
        const RECT file = placeIn(form.Cmd_File[0]->Handle(), form.Pic_C[0]->Handle());
        EXPECT_EQ(file.left, At144(420));
        EXPECT_EQ(file.right - file.left, At144(615));
        // The frame reaches every side of the larger face: its dark blue border
        // lies within the outer six pixels (the picture's four, stretched).
        const ClientPixels face(form.Cmd_Set->Handle());
        const int width = At144(1155), height = At144(375), band = 6;
        const auto blueWithin = [&](int x, int y, int dx, int dy) {
            for (int i = 0; i < band; ++i)
                if (face.At(x + i * dx, y + i * dy) == RGB(0x00, 0x3C, 0x74)) return true;
            return false;
        };
        EXPECT_TRUE(blueWithin(width / 2, 0, 0, 1)) << "top";
        EXPECT_TRUE(blueWithin(width / 2, height - 1, 0, -1)) << "bottom";
        EXPECT_TRUE(blueWithin(0, height / 2, 1, 0)) << "left";
        EXPECT_TRUE(blueWithin(width - 1, height / 2, -1, 0)) << "right";

        // What the user chose, typed and focused stays.
        EXPECT_TRUE(Marked(2));
        EXPECT_EQ(form.BGM_Repeat->Text(), L"12");
        EXPECT_EQ(form.BGM_Repeat->ListCount(), 31);
        EXPECT_EQ(GetFocus(), form.Cmd_File[0]->Handle()) << "another window active: " << anotherWindowActive;
        dialog.reset();
        Form later(L"later");
        later.Load();
        EXPECT_EQ(later.Dpi(), ScreenDpi()) << "another form lays out at the screen's resolution";
    }
}

// Wine's annotation service keeps nothing (SetHwndProp is not implemented
// there), so a recorder stands in for it.
TEST_F(SettingsDialogTest, EveryButtonAndStandInIsAnnouncedByItsRoleAcrossANewLayoutUntilTheDialogGoes)
{
    RoleRecorder recorder;
    UseAccPropServices(&recorder);
    const auto systemsBack = std::unique_ptr<RoleRecorder, void (*)(RoleRecorder*)>(
        &recorder, [](RoleRecorder*) { UseAccPropServices(nullptr); });
    SettingsDialog& form = LoadDialogWith("1", "0", "");
    const auto expectRoles = [&](const char* when) {
        const std::vector<HWND> stops = form.TabStops();
        const std::map<HWND, long> expected = {{stops.front(), ROLE_SYSTEM_RADIOBUTTON},
                                               {form.Cmd_File[0]->Handle(), ROLE_SYSTEM_PUSHBUTTON},
                                               {form.Cmd_Set->Handle(), ROLE_SYSTEM_PUSHBUTTON},
                                               {form.Cmd_Can->Handle(), ROLE_SYSTEM_PUSHBUTTON},
                                               {stops.back(), ROLE_SYSTEM_LINK}};
        EXPECT_EQ(recorder.roles, expected) << when;
    };
    expectRoles("loaded");
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    ChangeScaleTo144(form.Handle(), SuggestedAt144(form.Handle(), {window.left, window.top}));
    expectRoles("laid out again: the old windows' roles cleared, the new ones' given");
    dialog.reset();
    EXPECT_TRUE(recorder.roles.empty()) << "roles outliving their windows";
    EXPECT_EQ(recorder.references, 1u);
}

// A dialog made on a monitor of another scale moves onto this one as it is
// placed, and is laid out again in the middle of loading: it still stands
// where the placement rule puts a window of its new size, with one list.
TEST_F(SettingsDialogTest, LaidOutAgainWhileItLoadsItStandsInItsPlaceWithOneTrackList)
{
    dialog.emplace();
    bool moved = false;
    const SentMessageWatch watch([&](const CWPSTRUCT& sent) {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(sent.lParam);
        if (moved || sent.hwnd != dialog->Handle() || sent.message != WM_WINDOWPOSCHANGED ||
            (position->flags & SWP_NOMOVE))
            return;
        moved = true;
        ChangeScaleTo144(sent.hwnd, SuggestedAt144(sent.hwnd, {10, 10}));
    });
    ASSERT_TRUE(watch.Watching());
    dialog->Load();
    ASSERT_TRUE(moved) << "the dialog was never placed";

    RECT client{}, frame{};
    GetClientRect(dialog->Handle(), &client);
    EXPECT_EQ(client.right, At144(7440));
    GetWindowRect(dialog->Handle(), &frame);
    const ScreenRect placed = DialogPlacement(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                              frame.right - frame.left, frame.bottom - frame.top);
    EXPECT_EQ(frame.left, placed.left);
    EXPECT_EQ(frame.top, placed.top);
    EXPECT_EQ(dialog->BGM_Repeat->ListCount(), 31);
}

// The file chooser and the "not saved" message run inside the handler of the
// button pressed: a new scale that arrives meanwhile destroys nothing until
// that handler has returned, and is laid out then.
TEST_F(SettingsDialogTest, ANewScaleWhileAButtonsHandlerRunsWaitsUntilItHasReturned)
{
    SettingsDialog& form = LoadDialogWith("1", "0", "");
    form.Show();
    // A folder in the settings file's place: the save fails and says so.
    DeleteFileA(SettingsFilePath().c_str());
    ASSERT_TRUE(CreateDirectoryA(SettingsFilePath().c_str(), nullptr));
    const HWND pressed = form.Cmd_Set->Handle();
    bool messageShown = false, pressedButtonStayed = false;
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    const RECT suggested = SuggestedAt144(form.Handle(), {window.left, window.top});
    const SentMessageWatch watch([&](const CWPSTRUCT& sent) {
        if (sent.message != WM_INITDIALOG) return;
        messageShown = true;
        ChangeScaleTo144(form.Handle(), suggested);
        pressedButtonStayed = IsWindow(pressed) && form.Cmd_Set->Handle() == pressed;
        PostMessageW(sent.hwnd, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(watch.Watching());
    ClickButton(*form.Cmd_Set);
    RemoveDirectoryA(SettingsFilePath().c_str());
    ASSERT_TRUE(messageShown);
    EXPECT_TRUE(pressedButtonStayed) << "the button was destroyed while its Click ran";
    EXPECT_TRUE(form.IsLoaded());

    DispatchWaitingMessages();
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, At144(7440)) << "the new scale was never laid out";
    EXPECT_NE(form.Cmd_Set->Handle(), pressed);
    EXPECT_TRUE(HoldsFocus(form.Cmd_Set->Handle())) << "the focus back on the button pressed";
}

TEST_F(SettingsDialogTest, TheLinkShowsAPointingHandWithItsHotSpotAtTheFingertip)
{
    SettingsDialog& form = LoadDialogWith("0", "0", "");
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(form.lbl_URL.pointer, &info));
    const UniqueBitmap mask(info.hbmMask), colour(info.hbmColor);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 10u);
    BITMAP bitmap{};
    GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
    // Only the link has its own pointer.
    for (const Label& label : form.lbl_BGM) EXPECT_EQ(label.pointer, nullptr);
}

TEST_F(SettingsDialogTest, SetupButtonsInitialisesOrEnablesEveryGradientButton)
{
    SettingsDialog& form = LoadDialogWith("2", "0", music);
    SetupButtons(form, false, false);
    for (Command* button : {&*form.Cmd_File[0], &*form.Cmd_Set, &*form.Cmd_Can})
        EXPECT_EQ(button->Enabled(), kFalse);
    SetupButtons(form, false, true);
    for (Command* button : {&*form.Cmd_File[0], &*form.Cmd_Set, &*form.Cmd_Can})
        EXPECT_EQ(button->Enabled(), kTrue);
}

}  // namespace
