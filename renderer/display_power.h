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

// The settings' GUIDs, written out: the SDK declares them without defining
// them unless a library of them is linked.
inline constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
inline constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

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
