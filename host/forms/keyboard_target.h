// A tab stop for controls that have no window of their own (a group of
// choices drawn on a layer, a link): a child window of no size that takes
// the keyboard focus in their place and tells its owner about the focus and
// the keys, so that they are used from the keyboard as in any dialog box.
#pragma once

#include "owned_window.h"

#include <windows.h>

#include <functional>

class KeyboardTarget final : public OwnedWindow {
public:
    // Its place in the tab order is its place among the parent's children:
    // after those made before it.
    explicit KeyboardTarget(HWND parent);

    // The focus came (true) or went (false).
    std::function<void(bool hasFocus)> FocusChanged;
    // Whether a key is the target's own, which the dialog box's keyboard
    // handling then leaves to it (arrows, Enter).
    std::function<bool(UINT virtualKey)> WantsKey;
    // A key went down while the target had the focus; `repeat` when it was
    // down already (the keyboard's auto-repeat).
    std::function<void(UINT virtualKey, bool repeat)> KeyDown;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// True for a key message of a key that was down already (bit 30 of its
// lParam: the keyboard's auto-repeat).
bool IsKeyRepeat(LPARAM keyData);

// Before a control that holds the focus (itself or a window inside it) is
// disabled: the focus moves on to the next enabled tab stop of its dialog,
// which the system does not do, leaving no window of the dialog with it.
void HandOnFocusBeforeDisabling(HWND control);
