#include "windowless_control.h"

#include "win32_handles.h"

namespace {

constexpr UINT kLabelTextFormat = DT_NOPREFIX | DT_EXPANDTABS;
// Inside a bordered label the text keeps clear of the frame.
constexpr int kBorderInset = 2;
// The system's dotted focus rectangle, a pixel clear of the text. It inverts
// what it covers, with these colours, so it reads on any background.
constexpr int kFocusCueMargin = 1;
constexpr COLORREF kFocusCueColour = RGB(0, 0, 0), kFocusCueBackground = RGB(255, 255, 255);

}  // namespace

void Label::SetCaption(std::wstring caption)
{
    caption_ = std::move(caption);
    if (autoSize) FitToText();
}

void Label::FitToText()
{
    const UniqueWindowDc screen = ScreenDc();
    const SelectedObject selected(screen.get(), font);
    RECT measured{0, 0, 0, 0};
    DrawTextW(screen.get(), caption_.c_str(), -1, &measured, kLabelTextFormat | DT_CALCRECT | DT_SINGLELINE);
    bounds.right = bounds.left + measured.right;
    bounds.bottom = bounds.top + measured.bottom;
}

void Label::Draw(HDC dc) const
{
    RECT area = bounds;
    if (singleBorder) {
        FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&area, -kBorderInset, -kBorderInset);
    }
    const SelectedObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, foreColour);
    UINT format = kLabelTextFormat | (alignment == Alignment::Centre ? DT_CENTER : DT_LEFT);
    // Long text (a path has no spaces) breaks where the width ends.
    format |= singleBorder ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    DrawTextW(dc, caption_.c_str(), -1, &area, format);
    if (focusCue) {
        RECT cue = bounds;
        InflateRect(&cue, kFocusCueMargin, kFocusCueMargin);
        SetTextColor(dc, kFocusCueColour);
        SetBkColor(dc, kFocusCueBackground);
        DrawFocusRect(dc, &cue);
    }
}

void ImageControl::Draw(HDC dc) const
{
    if (picture && *picture)
        picture->Draw(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
}

void Shape::Draw(HDC dc) const
{
    const UniqueBrush brush(CreateSolidBrush(borderColour));
    FrameRect(dc, &bounds, brush.get());
}
