// Word from the system when the display goes off and comes back: the
// power manager turns it off on its own plan, without a message to the
// window that a window could swallow.
#pragma once

#include "unique_handle.h"

#include <windows.h>

#include <optional>

namespace handle_traits {

struct PowerNotification {
    using Handle = HPOWERNOTIFY;
    static Handle None() noexcept { return nullptr; }
    static void Release(Handle h) noexcept;
};

}  // namespace handle_traits

using UniquePowerNotification = UniqueHandle<handle_traits::PowerNotification>;

// The window's registrations for the display's state. Windows 8 and later
// report it as the console display's state (off, on or dimmed); Windows 7
// as the monitor's power (off or on); each is asked for where the system
// has it, and a system without either simply never reports.
struct DisplayPowerNotifications {
    UniquePowerNotification consoleDisplay;
    UniquePowerNotification monitorPower;
};

DisplayPowerNotifications RegisterDisplayPowerNotifications(HWND window);

// Whether the display is on after a PBT_POWERSETTINGCHANGE (dimmed counts as
// on); nothing when the setting is not the display's state or carries no
// state.
std::optional<bool> DisplayOnAfter(const POWERBROADCAST_SETTING& setting);
