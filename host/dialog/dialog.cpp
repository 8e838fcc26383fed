#include "dialog.h"

#include "ansi_text.h"
#include "dialog_animation.h"
#include "dialog_layout.h"
#include "dialog_rules.h"
#include "forms/dpi.h"
#include "forms/font.h"
#include "forms/screen.h"
#include "forms/twips.h"
#include "messages.h"
#include "resource_ids.h"
#include "settings.h"
#include "shared_names.h"
#include "shell_platform.h"
#include "sorvane_version.h"
#include "system_library.h"

#include <commdlg.h>

#include <optional>
#include <string>
#include <type_traits>
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

// Posted when a handler ends with a new layout waiting.
constexpr UINT kLayOutWhenFreeMessage = WM_APP;

// The chosen path as the settings file and the multimedia devices will see
// it: in the ANSI code page, every character kept. A name the code page
// cannot write is taken by the short name the file system gives it, when
// that one it can write; else there is none.
std::optional<std::string> StorablePath(const std::wstring& path)
{
    if (std::optional<std::string> exact = ExactAnsiFromWide(path)) return exact;
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    shortPath.resize(length);
    return ExactAnsiFromWide(shortPath);
}

RECT Pixels(const TwipLayout& layout)
{
    const int left = ToPixels(layout.left), top = ToPixels(layout.top);
    return {left, top, left + ToPixels(layout.width), top + ToPixels(layout.height)};
}

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
void PlaceButton(Command& button, const std::wstring& caption, const TwipLayout& layout,
                 const FontDescription& formFont)
{
    PropertyBag design;
    design.WriteProperty(L"Caption", caption, std::wstring(L"Command"));
    button.ReadProperties(design, formFont);
    button.Move(layout.left, layout.top, layout.width, layout.height);
}

void PlaceLabel(Label& label, const TwipLayout& layout, HFONT font, COLORREF colour, const std::wstring& caption,
                bool autoSize)
{
    label.bounds = Pixels(layout);
    label.font = font;
    label.foreColour = colour;
    label.autoSize = autoSize;
    label.SetCaption(caption);
}

}  // namespace

SettingsDialog::SettingsDialog()
    : Form(kSettingsDialogCaption),
      markPictures_{Picture::FromResource(IDB_MARK_UNSELECTED), Picture::FromResource(IDB_MARK_SELECTED)}
{
    const auto font = [this] { return static_cast<HFONT>(font_.get()); };
    const auto inBox = [this](WindowlessControl& control) { Pic_C[0]->Layer().Add(control); };

    // The music box and what it holds, row by row.
    List(&Pic_C[0], [this] { Pic_C[0].emplace(Handle(), Pixels(kPic_C), kBoxBackground); });
    List(&Shape3, [this, inBox] {
        Shape3.bounds = Pixels(kShape3);
        inBox(Shape3);
    });
    List(&lbl[15], [this, font, inBox] {
        PlaceLabel(lbl[15], kLbl15, font(), kBlackText, L"BGM", false);
        lbl[15].alignment = Label::Alignment::Centre;
        inBox(lbl[15]);
    });
    List(&sourcesTabStop_, [this] {
        KeyboardTarget& sources = sourcesTabStop_.emplace(Pic_C[0]->Handle());
        sources.FocusChanged = [this](bool hasFocus) { ShowSourcesFocusCue(hasFocus); };
        sources.WantsKey = [](UINT key) { return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT; };
        sources.KeyDown = [this](UINT key, bool) { RunHandler([this, key] { OnSourcesKey(key); }); };
    });
    ListSource(kCdCategory);
    List(&BGM_Repeat, [this, font] { BGM_Repeat.emplace(Pic_C[0]->Handle(), Pixels(kBGM_Repeat), font()); });
    List(&lbl[14], [this, font, inBox] {
        PlaceLabel(lbl[14], kLbl14, font(), kBlackText, L"曲目をﾘﾋﾟｰﾄ", true);
        inBox(lbl[14]);
    });
    ListSource(kNoMusicCategory);
    ListSource(kMusicFileCategory);
    List(&Cmd_File[0], [this] {
        PlaceButton(Cmd_File[0].emplace(*this, Pic_C[0]->Handle()), L"...", kCmd_File, DesignFont());
        Cmd_File[0]->Click = [this] { RunHandler([this] { Cmd_File_Click(0); }); };
    });
    List(&lbl_Fname[0], [this, font, inBox] {
        PlaceLabel(lbl_Fname[0], kLbl_Fname, font(), kBlackText, L"", false);
        lbl_Fname[0].singleBorder = true;
        inBox(lbl_Fname[0]);
    });

    // Below the box: the credit line, the link and the two buttons.
    List(&lbl_Credit, [this, font] {
        PlaceLabel(lbl_Credit, kCredit, font(), kWhiteText, kCreditLine, true);
        layer_.Add(lbl_Credit);
    });
    List(&lbl_URL, [this] {
        PlaceLabel(lbl_URL, kLbl_URL, static_cast<HFONT>(linkFont_.get()), kWhiteText, kLinkAddress, true);
        lbl_URL.pointer = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_POINTER));
        lbl_URL.Click = [this] { RunHandler([this] { lbl_URL_Click(); }); };
        layer_.Add(lbl_URL);
    });
    List(&Cmd_Set, [this] {
        PlaceButton(Cmd_Set.emplace(*this), L"設定", kCmd_Set, DesignFont());
        Cmd_Set->Click = [this] { RunHandler([this] { Cmd_Set_Click(); }); };
    });
    List(&Cmd_Can, [this] {
        PlaceButton(Cmd_Can.emplace(*this), L"ｷｬﾝｾﾙ", kCmd_Can, DesignFont());
        Cmd_Can->Click = [this] { RunHandler([this] { Cmd_Can_Click(); }); };
    });
    List(&linkTabStop_, [this] {
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
        List(&Img_Ra[i], [this, i] {
            Img_Ra[i].bounds = Pixels(kImg_Ra[i]);
            Img_Ra[i].picture = &markPictures_[i];
            layer_.Add(Img_Ra[i]);
        });
}

void SettingsDialog::List(ControlSlot control, std::function<void()> make)
{
    controls_.push_back({control, std::move(make)});
}

// A source's row: its mark, then its name, both choosing it.
void SettingsDialog::ListSource(int category)
{
    const auto element = static_cast<std::size_t>(category);
    List(&Img_BGM[element], [this, category, element] {
        Img_BGM[element].bounds = Pixels(kImg_BGM[element]);
        Img_BGM[element].MouseDown = [this, category](std::int16_t button) {
            RunHandler([this, category, button] { Img_BGM_MouseDown(category, button); });
        };
        Pic_C[0]->Layer().Add(Img_BGM[element]);
    });
    List(&lbl_BGM[element], [this, category, element] {
        static constexpr std::array<const wchar_t*, kMusicCategoryCount> kSourceNames = {L"なし", L"音楽CD",
                                                                                          L"MP3、WAV"};
        PlaceLabel(lbl_BGM[element], kLbl_BGM[element], static_cast<HFONT>(font_.get()), kBlackText,
                   kSourceNames[element], true);
        lbl_BGM[element].MouseDown = [this, category](std::int16_t button) {
            RunHandler([this, category, button] { lbl_BGM_MouseDown(category, button); });
        };
        Pic_C[0]->Layer().Add(lbl_BGM[element]);
    });
}

HWND SettingsDialog::WindowOf(const ControlSlot& control)
{
    return std::visit(
        [](auto* slot) -> HWND {
            if constexpr (std::is_same_v<decltype(slot), WindowlessControl*>)
                return nullptr;
            else
                return *slot ? (*slot)->Handle() : nullptr;
        },
        control);
}

SettingsDialog::~SettingsDialog()
{
    // The windows go before the controls and fonts they use: the form's base
    // would destroy its window only after this class's members had gone.
    DestroyOwnedWindow();
    // Other forms go back to the screen's resolution.
    SetFormDpi(0);
}

DWORD SettingsDialog::Style() const { return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN; }

void SettingsDialog::CreateControls()
{
    // At the resolution of the monitor the window stands on.
    SetFormDpi(WindowDpi(Handle()));
    PlaceControls();
}

void SettingsDialog::PlaceControls()
{
    const HWND window = Handle();
    ResizeClientTo(window, ToPixels(kClientWidth), ToPixels(kClientHeight), Style(), ExStyle(), FormDpi());
    const auto icon = reinterpret_cast<LPARAM>(LoadImageW(GetModuleHandleW(nullptr),
                                                          MAKEINTRESOURCEW(IDI_SETTINGS_DIALOG), IMAGE_ICON,
                                                          kIconSize, kIconSize, LR_SHARED));
    SendMessageW(window, WM_SETICON, ICON_BIG, icon);
    SendMessageW(window, WM_SETICON, ICON_SMALL, icon);
    layer_.Attach(window, kDialogBackground);

    const FontDescription formFont = DesignFont();
    font_ = CreateFontOf(formFont);
    FontDescription underlined = formFont;
    underlined.underline = true;
    linkFont_ = CreateFontOf(underlined);

    for (ListedControl& control : controls_) control.make();
}

void SettingsDialog::Form_Load()
{
    PlaceOnScreen();

    // A stored file out of reach for now is still the user's choice: shown,
    // and saved back unless another is chosen.
    if (UnreachableMusicFile) {
        BgmCategory = UnreachableMusicFile->category;
        BgmFile = UnreachableMusicFile->path;
    }
    SetupButtons(*this, true, true);
    FillControls(WideFromAnsi(RepeatText(BgmRepeat)));

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

void SettingsDialog::FillControls(const std::wstring& trackText)
{
    ShowChosenSource();
    // From empty, however often it is filled: a new layout in the middle of
    // loading has filled it once already.
    BGM_Repeat->ClearList();
    BGM_Repeat->SetText(trackText);
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
    EndShellUse();
}

LRESULT SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto handled = layer_.HandleMessage(message, wParam, lParam)) return *handled;
    switch (message) {
    case WM_COMMAND:
        // Enter and Escape, as the dialog box's keyboard handling gives them.
        // Enter held down saves once, as a button or the link takes it.
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
            if (Cmd_Set && Cmd_Set->Machine().EnabledFlag != kButtonFalse && !CommandFromKeyRepeat())
                RunHandler([this] { Cmd_Set_Click(); });
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
            RunHandler([this] { Cmd_Can_Click(); });
            return 0;
        }
        break;
    case WM_DPICHANGED:
        pendingLayout_ = Layout{LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)};
        LayOutWhenFree();
        return 0;
    case kLayOutWhenFreeMessage:
        LayOutWhenFree();
        return 0;
    default: break;
    }
    return Form::OnMessage(message, wParam, lParam);
}

std::vector<HWND> SettingsDialog::TabStops() const
{
    std::vector<HWND> stops;
    for (const ListedControl& listed : controls_)
        if (const HWND window = WindowOf(listed.control); window && (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP))
            stops.push_back(window);
    return stops;
}

std::vector<Command*> SettingsDialog::GradientButtons()
{
    std::vector<Command*> buttons;
    for (const ListedControl& listed : controls_)
        if (const auto* slot = std::get_if<std::optional<Command>*>(&listed.control))
            if (std::optional<Command>& button = **slot) buttons.push_back(&*button);
    return buttons;
}

void SettingsDialog::DestroyControls()
{
    layer_.RemoveAll();
    if (Pic_C[0]) Pic_C[0]->Layer().RemoveAll();
    // What a container holds goes before the container.
    for (auto listed = controls_.rbegin(); listed != controls_.rend(); ++listed)
        std::visit(
            [](auto* slot) {
                if constexpr (!std::is_same_v<decltype(slot), WindowlessControl*>) slot->reset();
            },
            listed->control);
}

void SettingsDialog::RunHandler(const std::function<void()>& handler)
{
    ++handlersRunning_;
    handler();
    --handlersRunning_;
    // The control that raised the event is still inside its own message, and
    // a new layout destroys it: the layout comes once that has returned.
    if (handlersRunning_ == 0 && pendingLayout_ && Handle())
        PostMessageW(Handle(), kLayOutWhenFreeMessage, 0, 0);
}

void SettingsDialog::LayOutWhenFree()
{
    // A new scale arriving while a layout moves the window is laid out next,
    // at the resolution asked for last.
    while (handlersRunning_ == 0 && !layingOut_ && pendingLayout_ && Handle()) {
        const Layout layout = *std::exchange(pendingLayout_, std::nullopt);
        layingOut_ = true;
        LayOutAt(layout.dpi, layout.suggested);
        layingOut_ = false;
    }
}

void SettingsDialog::LayOutAt(int dpi, const RECT& suggested)
{
    const std::wstring trackText = BGM_Repeat ? BGM_Repeat->Text() : std::wstring();
    // The focused control by its place among the tab stops; while the dialog
    // is inactive, the one that gets the focus back.
    const std::vector<HWND> stops = TabStops();
    const HWND focus = FocusedControl();
    std::size_t focused = stops.size();
    for (std::size_t i = 0; i < stops.size(); ++i)
        if (focus && (focus == stops[i] || IsChild(stops[i], focus))) focused = i;

    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    DestroyControls();
    SetFormDpi(dpi);
    PlaceControls();
    SetupButtons(*this, true, true);
    FillControls(trackText);
    Form_Resize();
    InvalidateRect(Handle(), nullptr, TRUE);

    const std::vector<HWND> newStops = TabStops();
    if (focused < newStops.size() && IsWindowEnabled(newStops[focused])) GiveFocusTo(newStops[focused]);
}

void SettingsDialog::PaintContent(HDC dc) { layer_.Paint(dc); }

void SettingsDialog::ShowChosenSource()
{
    const SourceView view = SourceViewFor(BgmCategory);
    for (ImageControl& mark : Img_BGM) mark.picture = Img_Ra[0].picture;
    if (view.selectedMark >= 0) Img_BGM[static_cast<std::size_t>(view.selectedMark)].picture = Img_Ra[1].picture;
    Pic_C[0]->Layer().Refresh();
    // Never disabled in passing: the control that stays enabled keeps the
    // focus, and the one that holds it hands it on only when it is disabled.
    if (BGM_Repeat->Enabled() != view.repeatEnabled) BGM_Repeat->SetEnabled(view.repeatEnabled);
    if ((Cmd_File[0]->Machine().EnabledFlag != kButtonFalse) != view.fileEnabled)
        Cmd_File[0]->SetEnabled(view.fileEnabled ? kButtonTrue : kButtonFalse);
    // A screen reader names the sources' tab stop by the source chosen.
    if (sourcesTabStop_) {
        const std::wstring& chosen =
            view.selectedMark >= 0 ? lbl_BGM[static_cast<std::size_t>(view.selectedMark)].Caption() : std::wstring();
        SetWindowTextW(sourcesTabStop_->Handle(), chosen.c_str());
    }
    ShowSourcesFocusCue(sourcesTabStop_ && GetFocus() == sourcesTabStop_->Handle());
}

void SettingsDialog::ShowSourcesFocusCue(bool shown)
{
    const SourceView view = SourceViewFor(BgmCategory);
    const int cued = view.selectedMark >= 0 ? view.selectedMark : kCdCategory;
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

void SettingsDialog::ChooseSource(int index)
{
    BgmCategory = static_cast<std::int16_t>(index);
    ShowChosenSource();
}

void SettingsDialog::Img_BGM_MouseDown(int index, std::int16_t) { ChooseSource(index); }

void SettingsDialog::lbl_BGM_MouseDown(int index, std::int16_t) { ChooseSource(index); }

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
    static const auto getOpenFileName =
        SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    LastApiResult = getOpenFileName ? getOpenFileName(&record) : 0;
    if (LastApiResult <= 0) return;

    const std::optional<std::string> chosen = StorablePath(file.c_str());
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
    const std::string file = SettingsFilePath();
    // A write that fails is said at once, nothing further is written, and the
    // dialog stays open: closing would report a save that did not happen.
    const auto written = [this](bool wrote) {
        if (!wrote) MessageBoxW(Handle(), kSettingsNotSavedText, kProductTitle, MB_OK | MB_ICONEXCLAMATION);
        return wrote;
    };
    if (!written(WriteIniString(kSettingsSection, kCategoryKey, std::to_string(BgmCategory), file))) return;
    BgmRepeat = SavedRepeat(AnsiFromWide(HalfWidthNumberText(BGM_Repeat->Text())));
    if (!written(WriteIniString(kSettingsSection, kRepeatKey, std::to_string(BgmRepeat), file))) return;
    if (!written(WriteIniString(kSettingsSection, kFileKey, BgmFile, file))) return;
    Unload();
}

void SettingsDialog::Cmd_Can_Click() { Unload(); }

void SettingsDialog::lbl_URL_Click()
{
    SetScreenMousePointer(MousePointer::Hourglass);
    CurrentShellPlatform().Execute(Handle(), kOpenOperation, AnsiFromWide(lbl_URL.Caption()).c_str(), "", "",
                                   SW_SHOWNORMAL);
    SetScreenMousePointer(MousePointer::Default);
}

void SetupButtons(SettingsDialog& form, bool initialize, bool enable)
{
    for (Command* button : form.GradientButtons()) {
        if (initialize)
            button->Initialize();
        else
            button->SetEnabled(enable ? kButtonTrue : kButtonFalse);
    }
}

void ShowSettingsDialog()
{
    SettingsDialog dialog;
    dialog.ShowModal();
}
