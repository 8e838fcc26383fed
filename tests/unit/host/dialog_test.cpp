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
#include "dialog/shell_platform.h"
#include "forms/twips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>

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

struct ShellCall {
    HWND owner = nullptr;
    std::string operation, file, parameters, directory;
    int showCommand = -1;
    HCURSOR cursorDuringCall = nullptr;
};

class RecordingShell final : public ShellPlatform {
public:
    void Execute(HWND owner, const char* operation, const char* file, const char* parameters, const char* directory,
                 int showCommand) override
    {
        calls.push_back({owner, operation, file, parameters, directory, showCommand, GetCursor()});
    }
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
        UseShellPlatform(nullptr);
        DeleteFileA(SettingsFilePath().c_str());
    }

    void WriteSettings(const std::string& text) { std::ofstream(SettingsFilePath(), std::ios::binary) << text; }

    // Loads the settings as start-up does and then the dialog, hidden.
    SettingsDialog& LoadDialogWith(std::string_view category, std::string_view repeat, const std::string& file)
    {
        WriteSettings(std::string("[Section]\r\nBGM区分=") + std::string(category) + "\r\nBGMﾘﾋﾟｰﾄ=" +
                      std::string(repeat) + "\r\nBGMﾌｧｲﾙ=" + file + "\r\n");
        LoadSettings();
        dialog.emplace();
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
        EXPECT_EQ(form.Cmd_Set->Enabled(), kButtonTrue);
        EXPECT_EQ(form.Cmd_Can->Enabled(), kButtonTrue);
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
    EXPECT_EQ(form.Cmd_File[0]->Enabled(), kButtonFalse);

    ClickInBox(form.Img_BGM[2]);
    EXPECT_EQ(BgmCategory, 2);
    EXPECT_TRUE(Marked(2) && !Marked(1));
    EXPECT_FALSE(form.BGM_Repeat->Enabled());
    EXPECT_EQ(form.Cmd_File[0]->Enabled(), kButtonTrue);

    // Any mouse button chooses.
    const POINT none = Centre(form.Img_BGM[0].bounds);
    SendMessageW(form.Pic_C[0]->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(none));
    SendMessageW(form.Pic_C[0]->Handle(), WM_RBUTTONUP, 0, At(none));
    EXPECT_EQ(BgmCategory, 0);
    EXPECT_FALSE(form.BGM_Repeat->Enabled());
    EXPECT_EQ(form.Cmd_File[0]->Enabled(), kButtonFalse);
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
    EXPECT_EQ(ReadTestFile(SettingsFilePath()), "[Section]\r\nBGM区分=1\r\nBGMﾘﾋﾟｰﾄ=4\r\nBGMﾌｧｲﾙ=\r\n");
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
    UseShellPlatform(&shell);
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

TEST_F(SettingsDialogTest, ArrowsOnTheSourcesChooseAsAClickDoesAndTheCueFollows)
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
    EXPECT_EQ(form.Cmd_File[0]->Machine().EnabledFlag, kButtonTrue);
    EXPECT_FALSE(form.BGM_Repeat->Enabled());
    SetFocus(form.Cmd_Set->Handle());
    EXPECT_FALSE(form.lbl_BGM[2].focusCue) << "no cue without the focus";
}

TEST_F(SettingsDialogTest, AFocusedControlThatIsDisabledHandsTheFocusOnAndAButtonGoesBackToNormal)
{
    SettingsDialog& form = LoadDialogWith("1", "0", music);
    form.Show();
    SetFocus(form.BGM_Repeat->Handle());
    ClickInBox(form.lbl_BGM[0]);  // なし disables the track box
    EXPECT_EQ(GetFocus(), form.Cmd_Set->Handle()) << "the next enabled tab stop";

    ClickInBox(form.lbl_BGM[2]);
    SetFocus(form.Cmd_File[0]->Handle());
    EXPECT_EQ(form.Cmd_File[0]->Machine().ButtonState, kStateFocused);
    ClickInBox(form.lbl_BGM[1]);  // 音楽CD disables "..."
    EXPECT_EQ(GetFocus(), form.Cmd_Set->Handle());
    EXPECT_EQ(form.Cmd_File[0]->Machine().ButtonState, kStateNormal) << "a focused state would swallow a click";
}

TEST_F(SettingsDialogTest, AStoredFileOutOfReachIsShownChosenAndSavedBackUnchanged)
{
    const std::string gone = "C:\\sorvane-nowhere\\表\\gone.mp3";
    SettingsDialog& form = LoadDialogWith("2", "3", gone);
    EXPECT_TRUE(Marked(2));
    EXPECT_EQ(form.lbl_Fname[0].Caption(), WideFromAnsi(gone));
    EXPECT_EQ(form.Cmd_File[0]->Machine().EnabledFlag, kButtonTrue);
    ClickButton(*form.Cmd_Set);
    EXPECT_EQ(ReadIniString(kSettingsSection, kCategoryKey, SettingsFilePath()), "2");
    EXPECT_EQ(ReadIniString(kSettingsSection, kFileKey, SettingsFilePath()), gone);
    // The run still plays nothing while the file is out of reach.
    LoadSettings();
    EXPECT_EQ(BgmCategory, 0);
    EXPECT_EQ(BgmFile, "");
}

TEST_F(SettingsDialogTest, MovedToAMonitorAt144DpiItLaysItselfOutAsIfOpenedThere)
{
    constexpr int kDpi = 144;
    const auto at144 = [](int twips) { return twips * kDpi / 1440; };
    SettingsDialog& form = LoadDialogWith("2", "0", music);
    form.Show();
    form.BGM_Repeat->SetText(L"12");
    SetFocus(form.Cmd_File[0]->Handle());
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    RECT suggested{window.left, window.top, window.left + (window.right - window.left) * 3 / 2,
                   window.top + (window.bottom - window.top) * 3 / 2};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi), reinterpret_cast<LPARAM>(&suggested));

    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, at144(7440));
    EXPECT_EQ(client.bottom, at144(3645));
    const auto placeIn = [](HWND control, HWND container) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT set = placeIn(form.Cmd_Set->Handle(), form.Handle());
    EXPECT_EQ(set.left, at144(4860));
    EXPECT_EQ(set.top, at144(3000));
    EXPECT_EQ(set.right - set.left, at144(1155));
    EXPECT_EQ(set.bottom - set.top, at144(375));
    const RECT file = placeIn(form.Cmd_File[0]->Handle(), form.Pic_C[0]->Handle());
    EXPECT_EQ(file.left, at144(420));
    EXPECT_EQ(file.right - file.left, at144(615));
    // The frame reaches every side of the larger face: its dark blue border
    // lies within the outer six pixels (the picture's four, stretched).
    const ClientPixels face(form.Cmd_Set->Handle());
    const int width = at144(1155), height = at144(375), band = 6;
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
    EXPECT_EQ(GetFocus(), form.Cmd_File[0]->Handle());
    dialog.reset();
    EXPECT_EQ(FormDpi(), ScreenDpi()) << "other forms lay out at the screen's resolution again";
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
        EXPECT_EQ(button->Enabled(), kButtonFalse);
    SetupButtons(form, false, true);
    for (Command* button : {&*form.Cmd_File[0], &*form.Cmd_Set, &*form.Cmd_Can})
        EXPECT_EQ(button->Enabled(), kButtonTrue);
}

}  // namespace
