// Controls without a window of their own: labels, images and shapes. Their
// container draws them over its persistent image, in the order they were
// added, and finds them under the pointer.
#pragma once

#include "picture.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class WindowlessControl {
public:
    virtual ~WindowlessControl() = default;
    virtual void Draw(HDC dc) const = 0;

    RECT bounds{};              // in the container's client pixels
    bool visible = true;
    HCURSOR pointer = nullptr;  // over the control; none: the container's own
    // Raised with the mouse button (1 left, 2 right, 4 middle).
    std::function<void(std::int16_t mouseButton)> MouseDown;
    // A press and a release of the left button over the control.
    std::function<void()> Click;
};

// Text on a transparent background.
class Label final : public WindowlessControl {
public:
    enum class Alignment { Left, Centre };

    void Draw(HDC dc) const override;
    const std::wstring& Caption() const { return caption_; }
    // Takes the text; a label that sizes itself then fits its bounds to it.
    void SetCaption(std::wstring caption);

    HFONT font = nullptr;  // owned by the container
    COLORREF foreColour = 0;
    Alignment alignment = Alignment::Left;
    bool autoSize = false;
    bool singleBorder = false;  // a one-pixel frame; the text wraps inside it
    bool focusCue = false;      // the dotted focus rectangle around the text

private:
    void FitToText();
    std::wstring caption_;
};

// A picture at its natural size from the control's top-left corner, cut to
// the control's bounds. It shows another control's picture or none.
class ImageControl final : public WindowlessControl {
public:
    void Draw(HDC dc) const override;
    const Picture* picture = nullptr;
};

// A rectangle's one-pixel outline, transparent inside.
class Shape final : public WindowlessControl {
public:
    void Draw(HDC dc) const override;
    COLORREF borderColour = 0;
};
