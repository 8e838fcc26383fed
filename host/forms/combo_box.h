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

    HWND Handle() const { return window_.get(); }
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    void AddItem(const std::wstring& item);
    int ListCount() const;
    std::wstring List(int index) const;
    bool Enabled() const;
    void SetEnabled(bool enabled);

private:
    UniqueWindow window_;
};
