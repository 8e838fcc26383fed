// A combo box with an editable text and a drop-down list.
#pragma once

#include "win32_handles.h"

#include <windows.h>

#include <string>

class ComboBox {
public:
    // At the given pixels of the parent; the height is the text field's, the
    // list drops below it.
    ComboBox(HWND parent, const RECT& bounds, HFONT font);
    // The window goes with its owner, unless it went with its parent first.
    ~ComboBox();
    ComboBox(const ComboBox&) = delete;
    ComboBox& operator=(const ComboBox&) = delete;

    HWND Handle() const { return window_.get(); }
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    void AddItem(const std::wstring& item);
    // Empties the list, and the text with it.
    void ClearList();
    int ListCount() const;
    std::wstring List(int index) const;
    bool Enabled() const;
    void SetEnabled(bool enabled);

private:
    // Ahead of the system's own procedure, only to hear WM_NCDESTROY: the
    // window destroyed with its parent is let go, never destroyed again
    // under a handle that may name another window by then.
    static LRESULT CALLBACK WatchDestruction(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UniqueWindow window_;
    WNDPROC systemProcedure_ = nullptr;
};
