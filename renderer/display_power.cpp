#include "display_power.h"

#include <cstring>

namespace {

// Both report 0 for a display that is off; the console display's state
// adds 2 for dimmed, which still shows the picture.
constexpr DWORD kDisplayOff = 0;

using RegisterProc = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
using UnregisterProc = BOOL(WINAPI*)(HPOWERNOTIFY);

// Looked up: Windows before Vista has neither call.
template <typename Proc>
Proc User32Proc(const char* name)
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

void handle_traits::PowerNotification::Release(Handle h) noexcept
{
    if (const auto unregister = User32Proc<UnregisterProc>("UnregisterPowerSettingNotification")) unregister(h);
}

DisplayPowerNotifications RegisterDisplayPowerNotifications(HWND window)
{
    DisplayPowerNotifications notifications;
    const auto registerFor = User32Proc<RegisterProc>("RegisterPowerSettingNotification");
    if (!registerFor) return notifications;
    notifications.consoleDisplay.reset(registerFor(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE));
    notifications.monitorPower.reset(registerFor(window, &kMonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE));
    return notifications;
}

std::optional<bool> DisplayOnAfter(const POWERBROADCAST_SETTING& setting)
{
    if (setting.PowerSetting != kConsoleDisplayState && setting.PowerSetting != kMonitorPowerOn) return std::nullopt;
    if (setting.DataLength < sizeof(DWORD)) return std::nullopt;
    DWORD state = 0;
    std::memcpy(&state, setting.Data, sizeof state);
    return state != kDisplayOff;
}
