// What a screen reader announces a window as, for windows whose class tells
// it nothing (the gradient buttons, the tab stops that stand in for the
// sources and the link): a role annotated on the window through the
// system's annotation service, found at run time; nothing where there is
// none. COM must be entered on the thread first.
#pragma once

#include <windows.h>

#include <vector>

struct IAccPropServices;

// By the system's own role numbers, ROLE_SYSTEM_PUSHBUTTON and the rest.
enum class AccessibleRole : long { PushButton = 0x2B, RadioButton = 0x2D, Link = 0x1E };

class AccessibleRoles {
public:
    AccessibleRoles() = default;
    // Every role given is cleared: the service keeps them past the window.
    ~AccessibleRoles();
    AccessibleRoles(const AccessibleRoles&) = delete;
    AccessibleRoles& operator=(const AccessibleRoles&) = delete;

    void Give(HWND window, AccessibleRole role);
    void ClearAll();

private:
    IAccPropServices* services_ = nullptr;
    std::vector<HWND> given_;
};

// Puts another annotation service in place (tests record with one); nullptr
// puts the system's back. Holders made before keep theirs.
void UseAccPropServices(IAccPropServices* services);
