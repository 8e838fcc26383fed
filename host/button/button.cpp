#include "button.h"

#include "forms/font.h"
#include "forms/keyboard_target.h"
#include "forms/mouse_button.h"
#include "forms/twips.h"
#include "resource_ids.h"

namespace {

constexpr wchar_t kButtonClassName[] = L"SorvaneCommand";
constexpr UINT kPointerTimerMs = 100;
constexpr float kLabelHeightTwips = 195;
constexpr ULONG kGradientVertexCount = 4;  // the array's size; two are used
constexpr std::uint8_t kVisibleRead = 255;

// The state pictures' resources, in the order of their values from Normal.
constexpr int kPictureResources[] = {IDB_BUTTON_NORMAL,  IDB_BUTTON_HIGHLIGHT,        IDB_BUTTON_SELECTED,
                                     IDB_BUTTON_PRESSED, IDB_BUTTON_HIGHLIGHT_SELECT, IDB_BUTTON_DISABLE};

static_assert(std::size(kPictureResources) == static_cast<std::size_t>(StatePicture::Disable));

std::size_t PictureIndex(StatePicture picture) { return static_cast<std::size_t>(picture) - 1; }

}  // namespace

Command::Command(Form& container) : Command(container, container.Handle()) {}

Command::Command(Form& form, HWND parent)
    : form_(form), font_(DesignFont()), TmrMouse(form, [this] { TmrMouse_Timer(); })
{
    for (std::size_t i = 0; i < pictures_.size(); ++i) pictures_[i] = Picture::FromResource(kPictureResources[i]);
    CreateOwnedWindow(kButtonClassName, nullptr, 0, L"", WS_CHILD | WS_TABSTOP, {0, 0, 0, 0}, parent);
    SetFont(font_);
}

void Command::Move(int leftTwips, int topTwips, int widthTwips, int heightTwips)
{
    widthTwips_ = widthTwips;
    heightTwips_ = heightTwips;
    const int width = form_.ToPixels(widthTwips), height = form_.ToPixels(heightTwips);
    surface_.Resize(width, height);
    MoveWindow(Handle(), form_.ToPixels(leftTwips), form_.ToPixels(topTwips), width, height, FALSE);
    ShowWindow(Handle(), SW_SHOWNA);
    ApplyEnabled();  // the Resize event
}

void Command::Initialize()
{
    ::Initialize(machine_);
    TmrMouse.SetInterval(kPointerTimerMs);
    TmrMouse.SetEnabled(true);
}

std::uint8_t Command::Visible()
{
    if (!opaque_) return 0;
    RefreshButton();
    return kVisibleRead;
}

void Command::SetVisible(std::uint8_t visible)
{
    opaque_ = visible != 0;
    if (opaque_) RefreshButton();
    InvalidateRect(Handle(), nullptr, TRUE);
    Notify(L"Visible");
}

COLORREF Command::FontColour()
{
    const COLORREF colour = fontColour_;
    RefreshButton();
    return colour;
}

void Command::SetFontColour(COLORREF colour)
{
    fontColour_ = colour;
    RefreshButton();
    Notify(L"FontColour");
}

std::int16_t Command::Enabled()
{
    if (FirstRunFlag == 0) {
        RefreshButton();
        FirstRunFlag = 1;
        machine_.EnabledFlag = kTrue;
    }
    const std::int16_t value = machine_.EnabledFlag;
    ApplyEnabled();
    return value;
}

void Command::SetEnabled(std::int16_t enabled)
{
    // While still enabled, so that the lost focus takes it back to normal.
    if (enabled == kFalse) HandOnFocusBeforeDisabling(Handle());
    machine_.EnabledFlag = enabled;
    Notify(L"Enabled");
    ApplyEnabled();
}

void Command::StoreCaption(std::wstring caption)
{
    caption_ = std::move(caption);
    // The face shows the caption; the window's text is what a screen reader
    // names the button by.
    SetWindowTextW(Handle(), caption_.c_str());
}

void Command::SetCaption(std::wstring caption)
{
    StoreCaption(std::move(caption));
    InvalidateRect(Handle(), nullptr, FALSE);
    Notify(L"Caption");
}

void Command::SetFont(FontDescription font)
{
    font_ = std::move(font);
    fontHandle_ = CreateFontOf(font_, form_.Dpi());
    InvalidateRect(Handle(), nullptr, FALSE);
    Notify(L"Font");
}

void Command::ReadProperties(const PropertyBag& bag, const FontDescription& ambientFont)
{
    machine_.EnabledFlag = ToBoolean(bag.ReadProperty(L"Enabled", true)) ? kTrue : kFalse;
    StoreCaption(ToText(bag.ReadProperty(L"Caption", std::wstring(L"Command1"))));
    const PropertyValue font = bag.ReadProperty(L"Font", ambientFont);
    if (const auto* description = std::get_if<FontDescription>(&font)) SetFont(*description);
    FirstRunFlag = static_cast<std::uint8_t>(ToInteger(bag.ReadProperty(L"FirstRun", std::wstring(L"1"))));
    fontColour_ = static_cast<COLORREF>(ToInteger(bag.ReadProperty(L"FontColour", std::wstring(L"0"))));
    opaque_ = static_cast<std::int16_t>(ToInteger(bag.ReadProperty(L"Visible", std::wstring(L"1")))) != 0;
    RefreshButton();
}

void Command::WriteProperties(PropertyBag& bag, const FontDescription& ambientFont)
{
    bag.WriteProperty(L"Enabled", machine_.EnabledFlag != kFalse, true);
    bag.WriteProperty(L"Caption", caption_, std::wstring(L"Command"));
    bag.WriteProperty(L"FirstRun", std::int64_t{FirstRunFlag}, std::wstring(L"1"));
    bag.WriteProperty(L"Font", font_, ambientFont);
    bag.WriteProperty(L"FontColour", std::int64_t{fontColour_}, std::wstring(L"0"));
    bag.WriteProperty(L"Visible", std::int64_t{opaque_ ? 1 : 0}, std::wstring(L"1"));
    RefreshButton();
}

void Command::ApplyEnabled()
{
    labelEnabled_ = machine_.EnabledFlag != kFalse;
    // A disabled button takes neither the mouse nor the focus, and Tab passes
    // it by, as the system's own buttons do.
    EnableWindow(Handle(), labelEnabled_ ? TRUE : FALSE);
    DrawButton(labelEnabled_ ? StatePicture::Normal : StatePicture::Disable);
}

void Command::RefreshButton()
{
    if (machine_.EnabledFlag == kFalse) return;
    labelEnabled_ = true;
    if (FirstRunFlag == 0) fontColour_ = 0;
    DrawButton(StatePicture::Normal);
}

void Command::DrawButton(StatePicture picture)
{
    lastPicture_ = picture;
    UpdateGradientDirection(machine_);
    if (!surface_) return;
    RECT whole{0, 0, form_.ToPixels(widthTwips_), form_.ToPixels(heightTwips_)};
    FillRect(surface_.Dc(), &whole, GetSysColorBrush(COLOR_BTNFACE));
    DrawGradient();

    const Picture& source = pictures_[PictureIndex(picture)];
    if (const auto pieces = FramePieces(widthTwips_, heightTwips_); pieces && source) {
        const UniqueMemoryDc pictureDc(CreateCompatibleDC(surface_.Dc()));
        const SelectedObject selected(pictureDc.get(), source.Bitmap());
        SetStretchBltMode(surface_.Dc(), COLORONCOLOR);
        for (const FramePiece& piece : *pieces) {
            // Each end of the destination converted once, so that the pieces
            // meet and reach the button's last pixel at any scale.
            const TwipRect& to = piece.destination;
            const int left = form_.ToPixels(to.x), top = form_.ToPixels(to.y);
            const int right = form_.ToPixels(to.x + to.width), bottom = form_.ToPixels(to.y + to.height);
            const PixelRect from = InPicturePixels(piece.source);
            StretchBlt(surface_.Dc(), left, top, right - left, bottom - top, pictureDc.get(), from.x, from.y,
                       from.width, from.height, SRCCOPY);
        }
    }
    labelTop_ = CaptionTop(static_cast<float>(heightTwips_), kLabelHeightTwips);
    // Present the persistent image, caption on top.
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
}

void Command::DrawGradient()
{
    RECT client{};
    GetClientRect(Handle(), &client);
    const auto vertices = GradientVertices(machine_.GradientInverted != kFalse,
                                           static_cast<float>(client.right), static_cast<float>(client.bottom));
    TRIVERTEX records[kGradientVertexCount] = {};
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const GradientVertex& vertex = vertices[i];
        records[i] = {vertex.x, vertex.y, vertex.red, vertex.green, vertex.blue, vertex.alpha};
    }
    GRADIENT_RECT rect{kGradientUpperLeft, kGradientLowerRight};
    GradientFill(surface_.Dc(), records, kGradientVertexCount, &rect, 1, GRADIENT_FILL_RECT_V);
}

void Command::React(const ButtonReaction& reaction)
{
    if (reaction.picture != StatePicture::None) DrawButton(reaction.picture);
    if (reaction.click && Click) Click();
}

void Command::TmrMouse_Timer()
{
    POINT pointer{};
    GetCursorPos(&pointer);
    const HWND under = WindowFromPoint(pointer);
    if (under == form_.Handle() || under != Handle()) React(PointerLeft(machine_));
}

void Command::Notify(const wchar_t* property)
{
    if (PropertyChanged) PropertyChanged(property);
}

void Command::PaintContent(HDC dc)
{
    RECT client{};
    GetClientRect(Handle(), &client);
    if (opaque_ && surface_)
        BitBlt(dc, 0, 0, client.right, client.bottom, surface_.Dc(), 0, 0, SRCCOPY);
    else
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const SelectedObject font(dc, fontHandle_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, labelEnabled_ ? fontColour_ : static_cast<COLORREF>(kDisabledCaptionColour));
    RECT label{0, form_.ToPixels(labelTop_), client.right, form_.ToPixels(labelTop_ + kLabelHeightTwips)};
    DrawTextW(dc, caption_.c_str(), -1, &label, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT Command::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        React(OnMouseMove(machine_));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // The button keeps the mouse while one of its buttons is held.
        SetCapture(Handle());
        React(OnMouseDown(machine_, MouseButtonOf(message)));
        if (GetFocus() != Handle()) SetFocus(Handle());
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        // The capture taken at the press tells that the press began here.
        const PressOrigin origin = GetCapture() == Handle() ? PressOrigin::ThisButton : PressOrigin::Elsewhere;
        if (origin == PressOrigin::ThisButton && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ReleaseCapture();
        React(OnMouseUp(machine_, MouseButtonOf(message), origin));
        return 0;
    }
    case WM_GETDLGCODE:
        // Enter on the focused button is its own click, not the dialog's default.
        if (const auto* key = reinterpret_cast<const MSG*>(lParam);
            key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        return OwnedWindow::HandleMessage(message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) React(OnSpaceDown(machine_));
        if (wParam == VK_RETURN && !IsKeyRepeat(lParam)) React(OnEnterKey(machine_));
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE) React(OnSpaceUp(machine_));
        return 0;
    case WM_SETFOCUS:
        React(OnGotFocus(machine_));
        return 0;
    case WM_KILLFOCUS:
        React(OnLostFocus(machine_));
        return 0;
    default:
        return OwnedWindow::HandleMessage(message, wParam, lParam);
    }
}
