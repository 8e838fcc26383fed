#include "dialog.h"

#include "ansi_text.h"
#include "dialog_animation.h"
#include "dialog_layout.h"
#include "dialog_rules.h"
#include "dialog_platform.h"
#include "forms/dpi.h"
#include "forms/font.h"
#include "forms/screen.h"
#include "messages.h"
#include "resource_ids.h"
#include "shared_names.h"
#include "sorvane_version.h"

#include <optional>
#include <string>
#include <utility>

namespace {

using namespace dialog_layout;

constexpr wchar_t kCreditLine[] = L"" SORVANE_PRODUCT_NAME " " SORVANE_VERSION_TEXT "  " SORVANE_COPYRIGHT;
constexpr wchar_t kLinkAddress[] = L"" SORVANE_HOMEPAGE;
constexpr int kIconSize = 32;

// The open-file dialog: its title, its one filter (description, pattern, and
// the closing NUL the literal adds), and the 255-character buffers.
constexpr wchar_t kOpenFileTitle[] = L"ﾌｧｲﾙを開く";
constexpr wchar_t kMusicFileFilter[] = L"BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0";
constexpr DWORD kFileBufferLength = 255;

constexpr char kOpenOperation[] = "open";

// One row per line of the rule, across the whole width of the persistent image.
void PaintSineGradient(ControlLayer& layer, Rgb (*colourOf)(int))
{
    const HDC dc = layer.Surface();
    if (!dc) return;
    const std::vector<int> rows = SineGradient(layer.ScaleHeight());
    const SelectedObject brush(dc, GetStockObject(DC_BRUSH));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const Rgb colour = colourOf(rows[y]);
        SetDCBrushColor(dc, RGB(colour.red, colour.green, colour.blue));
        const RECT row{0, static_cast<int>(y), layer.ScaleWidth(), static_cast<int>(y) + 1};
        FillRect(dc, &row, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    layer.Refresh();
}

// A gradient button as the form stores it: its caption, the form's font.
void PlaceButton(Command& button, const std::wstring& caption, const TwipLayout& layout)
{
    PropertyBag design;
    design.WriteProperty(L"Caption", caption, std::wstring(L"Command"));
    button.ReadProperties(design, DesignFont());
    button.Move(layout.left, layout.top, layout.width, layout.height);
}

void SetUpLabel(Label& label, HFONT font, COLORREF colour, const std::wstring& caption, bool autoSize)
{
    label.font = font;
    label.foreColour = colour;
    label.autoSize = autoSize;
    label.SetCaption(caption);
}

}  // namespace

SettingsDialog::SettingsDialog(std::optional<StoredMusicFile> unreachableFile)
    : Form(kSettingsDialogCaption),
      markPictures_{Picture::FromResource(IDB_MARK_UNSELECTED), Picture::FromResource(IDB_MARK_SELECTED)},
      unreachableFile_(std::move(unreachableFile))
{
    const auto font = [this] { return static_cast<HFONT>(font_.get()); };
    const auto box = [this]() -> ControlLayer& { return Pic_C[0]->Layer(); };
    const auto dialog = [this]() -> ControlLayer& { return layer_; };

    // The music box and what it holds, row by row.
    controls_.Add(Pic_C[0], kPic_C, [this](const RECT& at) { Pic_C[0].emplace(Handle(), at, kBoxBackground); });
    controls_.Add(Shape3, box, kShape3);
    controls_.Add(lbl[15], box, kLbl15, [this, font] {
        SetUpLabel(lbl[15], font(), kBlackText, L"BGM", false);
        lbl[15].alignment = Label::Alignment::Centre;
    });
    controls_.Add(sourcesTabStop_, {}, [this](const RECT&) {
        KeyboardTarget& sources = sourcesTabStop_.emplace(Pic_C[0]->Handle());
        sources.FocusChanged = [this](bool hasFocus) { ShowSourcesFocusCue(hasFocus); };
        sources.WantsKey = [](UINT key) { return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT; };
        sources.KeyDown = [this](UINT key, bool) { RunHandler([this, key] { OnSourcesKey(key); }); };
    });
    for (int place = 0; place < kMusicCategoryCount; ++place) ListSource(CategoryShownAt(place));
    controls_.Add(BGM_Repeat, kBGM_Repeat,
                  [this, font](const RECT& at) { BGM_Repeat.emplace(Pic_C[0]->Handle(), at, font()); });
    controls_.Add(lbl[14], box, kLbl14,
                  [this, font] { SetUpLabel(lbl[14], font(), kBlackText, L"曲目をﾘﾋﾟｰﾄ", true); });
    controls_.Add(Cmd_File[0], kCmd_File, [this](const RECT&) {
        PlaceButton(Cmd_File[0].emplace(*this, Pic_C[0]->Handle()), L"...", kCmd_File);
        Cmd_File[0]->Click = [this] { RunHandler([this] { Cmd_File_Click(0); }); };
    });
    controls_.Add(lbl_Fname[0], box, kLbl_Fname, [this, font] {
        SetUpLabel(lbl_Fname[0], font(), kBlackText, L"", false);
        lbl_Fname[0].singleBorder = true;
    });

    // Below the box: the credit line, the link and the two buttons.
    controls_.Add(lbl_Credit, dialog, kCredit,
                  [this, font] { SetUpLabel(lbl_Credit, font(), kWhiteText, kCreditLine, true); });
    controls_.Add(lbl_URL, dialog, kLbl_URL, [this] {
        SetUpLabel(lbl_URL, static_cast<HFONT>(linkFont_.get()), kWhiteText, kLinkAddress, true);
        lbl_URL.pointer = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_POINTER));
        lbl_URL.Click = [this] { RunHandler([this] { lbl_URL_Click(); }); };
    });
    controls_.Add(Cmd_Set, kCmd_Set, [this](const RECT&) {
        PlaceButton(Cmd_Set.emplace(*this), L"設定", kCmd_Set);
        Cmd_Set->Click = [this] { RunHandler([this] { Cmd_Set_Click(); }); };
    });
    controls_.Add(Cmd_Can, kCmd_Can, [this](const RECT&) {
        PlaceButton(Cmd_Can.emplace(*this), L"ｷｬﾝｾﾙ", kCmd_Can);
        Cmd_Can->Click = [this] { RunHandler([this] { Cmd_Can_Click(); }); };
    });
    controls_.Add(linkTabStop_, {}, [this](const RECT&) {
        KeyboardTarget& link = linkTabStop_.emplace(Handle());
        // What a screen reader names the link by: the address it shows.
        SetWindowTextW(link.Handle(), lbl_URL.Caption().c_str());
        link.FocusChanged = [this](bool hasFocus) {
            lbl_URL.focusCue = hasFocus;
            layer_.Refresh();
        };
        link.WantsKey = [](UINT key) { return key == VK_RETURN; };
        link.KeyDown = [this](UINT key, bool repeat) {
            if ((key == VK_RETURN || key == VK_SPACE) && !repeat) RunHandler([this] { lbl_URL_Click(); });
        };
    });
    for (std::size_t i = 0; i < Img_Ra.size(); ++i)
        controls_.Add(Img_Ra[i], dialog, kImg_Ra[i], [this, i] { Img_Ra[i].picture = &markPictures_[i]; });
}

// A source's row: its mark, then its name, both choosing it.
void SettingsDialog::ListSource(int category)
{
    const auto element = static_cast<std::size_t>(category);
    const MusicSource& source = kMusicSources[element];
    const auto box = [this]() -> ControlLayer& { return Pic_C[0]->Layer(); };
    controls_.Add(Img_BGM[element], box, source.mark, [this, category, element] {
        Img_BGM[element].MouseDown = [this, category](std::int16_t button) {
            RunHandler([this, category, button] { Img_BGM_MouseDown(category, button); });
        };
    });
    controls_.Add(lbl_BGM[element], box, source.name, [this, category, element, &source] {
        SetUpLabel(lbl_BGM[element], static_cast<HFONT>(font_.get()), kBlackText, source.shownName, true);
        lbl_BGM[element].MouseDown = [this, category](std::int16_t button) {
            RunHandler([this, category, button] { lbl_BGM_MouseDown(category, button); });
        };
    });
}

SettingsDialog::~SettingsDialog()
{
    // The windows go before the controls and fonts they use: the form's base
    // would destroy its window only after this class's members had gone.
    roles_.ClearAll();
    DestroyOwnedWindow();
}

DWORD SettingsDialog::Style() const { return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN; }

void SettingsDialog::CreateControls()
{
    const HWND window = Handle();
    ResizeClientTo(window, ToPixels(kClientWidth), ToPixels(kClientHeight), Style(), ExStyle(), Dpi());
    const auto icon = reinterpret_cast<LPARAM>(LoadImageW(GetModuleHandleW(nullptr),
                                                          MAKEINTRESOURCEW(IDI_SETTINGS_DIALOG), IMAGE_ICON,
                                                          kIconSize, kIconSize, LR_SHARED));
    SendMessageW(window, WM_SETICON, ICON_BIG, icon);
    SendMessageW(window, WM_SETICON, ICON_SMALL, icon);
    layer_.Attach(window, kDialogBackground);

    FontDescription font = DesignFont();
    font_ = CreateFontOf(font, Dpi());
    font.underline = true;
    linkFont_ = CreateFontOf(font, Dpi());

    controls_.MakeAll(*this);

    com_.Enter();
    for (Command* button : GradientButtons()) roles_.Give(button->Handle(), AccessibleRole::PushButton);
    roles_.Give(sourcesTabStop_->Handle(), AccessibleRole::RadioButton);
    roles_.Give(linkTabStop_->Handle(), AccessibleRole::Link);
}

void SettingsDialog::Form_Load()
{
    PlaceOnScreen();

    if (unreachableFile_) {
        BgmCategory = unreachableFile_->category;
        BgmFile = unreachableFile_->path;
    }
    SetupButtons(*this, true, true);
    FillControls();

    POINT pointer{};
    LastApiResult = GetCursorPos(&pointer);
    DialogCursorX = LastApiResult ? static_cast<std::int16_t>(pointer.x) : std::int16_t{0};
    DialogCursorY = LastApiResult ? static_cast<std::int16_t>(pointer.y) : std::int16_t{0};
    AnimateDialogOpen(Handle());
    SetScreenMousePointer(MousePointer::Default);
}

void SettingsDialog::PlaceOnScreen()
{
    // A move onto a monitor of another scale lays the dialog out again at a
    // new size, where the system suggests: it is placed again at that size,
    // until it stands still, or after these moves.
    constexpr int kMostMoves = 3;
    const HWND window = Handle();
    for (int move = 0; move < kMostMoves; ++move) {
        RECT frame{};
        GetWindowRect(window, &frame);
        const ScreenRect placed = DialogPlacement(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                                  frame.right - frame.left, frame.bottom - frame.top);
        if (frame.left == placed.left && frame.top == placed.top) return;
        SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SettingsDialog::FillControls()
{
    ShowChosenSource();
    // From empty, however often it is filled: a new layout in the middle of
    // loading has filled it once already.
    BGM_Repeat->ClearList();
    BGM_Repeat->SetText(WideFromAnsi(RepeatText(BgmRepeat)));
    for (const std::string& item : RepeatListItems()) BGM_Repeat->AddItem(WideFromAnsi(item));
    lbl_Fname[0].SetCaption(WideFromAnsi(BgmFile));
}

void SettingsDialog::Form_Resize()
{
    PaintSineGradient(layer_, DialogGradientColour);
    if (Pic_C[0]) PaintSineGradient(Pic_C[0]->Layer(), BoxGradientColour);
}

void SettingsDialog::Form_Unload()
{
    AnimateDialogClose(Handle());
    roles_.ClearAll();
}

LRESULT SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto handled = layer_.HandleMessage(message, wParam, lParam)) return *handled;
    switch (message) {
    case WM_COMMAND:
        // Enter and Escape, as the dialog box's keyboard handling gives them.
        // Enter held down saves once, as a button or the link takes it.
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
            if (Cmd_Set && Cmd_Set->Machine().EnabledFlag != kFalse && !CommandFromKeyRepeat())
                RunHandler([this] { Cmd_Set_Click(); });
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
            RunHandler([this] { Cmd_Can_Click(); });
            return 0;
        }
        break;
    default: break;
    }
    return Form::OnMessage(message, wParam, lParam);
}

void SettingsDialog::LayOutAgain()
{
    // What the user chose, typed and focused stays.
    const auto kept = controls_.Keep(FocusedControl());
    roles_.ClearAll();
    controls_.DestroyAll();
    CreateControls();
    SetupButtons(*this, true, true);
    FillControls();
    controls_.Restore(kept, [this](HWND control) { GiveFocusTo(control); });
    Form_Resize();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void SettingsDialog::PaintContent(HDC dc) { layer_.Paint(dc); }

void SettingsDialog::ShowChosenSource()
{
    // A category no row has marks nothing and enables nothing.
    const MusicSource* chosen = MusicSourceOf(BgmCategory);
    for (ImageControl& mark : Img_BGM) mark.picture = Img_Ra[0].picture;
    if (chosen) Img_BGM[static_cast<std::size_t>(chosen->category)].picture = Img_Ra[1].picture;
    Pic_C[0]->Layer().Refresh();
    // Never disabled in passing: the control that stays enabled keeps the
    // focus, and the one that holds it hands it on only when it is disabled.
    const bool trackBox = chosen && chosen->enablesTrackBox, fileButton = chosen && chosen->enablesFileButton;
    if (BGM_Repeat->Enabled() != trackBox) BGM_Repeat->SetEnabled(trackBox);
    if ((Cmd_File[0]->Machine().EnabledFlag != kFalse) != fileButton)
        Cmd_File[0]->SetEnabled(fileButton ? kTrue : kFalse);
    // A screen reader names the sources' tab stop by the source chosen.
    if (sourcesTabStop_) SetWindowTextW(sourcesTabStop_->Handle(), chosen ? chosen->shownName : L"");
    ShowSourcesFocusCue(sourcesTabStop_ && GetFocus() == sourcesTabStop_->Handle());
}

void SettingsDialog::ShowSourcesFocusCue(bool shown)
{
    // With none chosen, the cue is on the first source shown.
    const MusicSource* chosen = MusicSourceOf(BgmCategory);
    const int cued = chosen ? chosen->category : CategoryShownAt(0);
    for (std::size_t i = 0; i < lbl_BGM.size(); ++i) lbl_BGM[i].focusCue = shown && static_cast<int>(i) == cued;
    if (Pic_C[0]) Pic_C[0]->Layer().Refresh();
}

void SettingsDialog::OnSourcesKey(UINT virtualKey)
{
    int steps = 0;
    if (virtualKey == VK_UP || virtualKey == VK_LEFT) steps = -1;
    if (virtualKey == VK_DOWN || virtualKey == VK_RIGHT) steps = 1;
    // Exactly what a click on the mark does.
    if (steps != 0) Img_BGM_MouseDown(SourceAfter(BgmCategory, steps), kLeftMouseButton);
}

void SettingsDialog::Img_BGM_MouseDown(int index, std::int16_t)
{
    BgmCategory = static_cast<std::int16_t>(index);
    ShowChosenSource();
}

void SettingsDialog::lbl_BGM_MouseDown(int index, std::int16_t mouseButton) { Img_BGM_MouseDown(index, mouseButton); }

void SettingsDialog::Cmd_File_Click(int index)
{
    std::wstring file(kFileBufferLength, L'\0');
    std::wstring fileTitle(kFileBufferLength, L'\0');
    const std::wstring initialFolder = WideFromAnsi(BgmFolder);
    OPENFILENAMEW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = Handle();
    record.hInstance = GetModuleHandleW(nullptr);
    record.lpstrFilter = kMusicFileFilter;
    record.lpstrFile = file.data();
    record.nMaxFile = kFileBufferLength;
    record.lpstrFileTitle = fileTitle.data();
    record.nMaxFileTitle = kFileBufferLength;
    record.lpstrInitialDir = initialFolder.c_str();
    record.lpstrTitle = kOpenFileTitle;
    LastApiResult = CurrentDialogPlatform().OpenFileName(record);
    if (LastApiResult <= 0) return;

    // The path as the settings file and the multimedia devices will see it,
    // every character kept: a name the code page cannot write is taken by
    // its short name, when the code page can write that one.
    std::optional<std::string> chosen = ExactAnsiFromWide(file.c_str());
    if (!chosen) chosen = ShortAnsiPath(file.c_str());
    if (!chosen) {
        // A path with '?' for a character would name no file: say so, change nothing.
        MessageBoxW(Handle(), kUnwritableFileNameText, kProductTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The path must come back whole from the settings file.
    if (chosen->size() > kSettingValueLength) {
        LastApiResult = 0;
        return;
    }
    BgmFile = *chosen;
    lbl_Fname[static_cast<std::size_t>(index)].SetCaption(WideFromAnsi(BgmFile));
    if (Pic_C[0]) Pic_C[0]->Layer().Refresh();
    BgmFolder = FolderOfPath(BgmFile, IsAnsiLeadByte);
}

void SettingsDialog::Cmd_Set_Click()
{
    BgmRepeat = SavedRepeat(AnsiFromWide(HalfWidthNumberText(BGM_Repeat->Text())));
    // A write that fails is said at once, nothing further is written, and the
    // dialog stays open: closing would report a save that did not happen.
    if (!SaveSettings()) {
        MessageBoxW(Handle(), kSettingsNotSavedText, kProductTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Unload();
}

void SettingsDialog::Cmd_Can_Click() { Unload(); }

void SettingsDialog::lbl_URL_Click()
{
    const HourglassPointer hourglass;
    com_.Enter();
    CurrentDialogPlatform().Execute(Handle(), kOpenOperation, AnsiFromWide(lbl_URL.Caption()).c_str(), "", "",
                                   SW_SHOWNORMAL);
}

void SetupButtons(SettingsDialog& form, bool initialize, bool enable)
{
    for (Command* button : form.GradientButtons()) {
        if (initialize)
            button->Initialize();
        else
            button->SetEnabled(enable ? kTrue : kFalse);
    }
}

void ShowSettingsDialog(std::optional<StoredMusicFile> unreachableFile)
{
    SettingsDialog dialog(std::move(unreachableFile));
    dialog.ShowModal();
}
