#include "display_power.h"

#include "system_library.h"

#include <cstring>

namespace {

// Both report 0 for a display that is off; the console display's state
// adds 2 for dimmed, which still shows the picture.
constexpr DWORD kDisplayOff = 0;

// Looked up: Windows before Vista has neither call.
constexpr wchar_t kUser32[] = L"user32.dll";
using RegisterProc = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
using UnregisterProc = BOOL(WINAPI*)(HPOWERNOTIFY);

}  // namespace

void handle_traits::PowerNotification::Release(Handle h) noexcept
{
    if (const auto unregister = SystemFunction<UnregisterProc>(kUser32, "UnregisterPowerSettingNotification"))
        unregister(h);
}

DisplayPowerNotifications RegisterDisplayPowerNotifications(HWND window)
{
    DisplayPowerNotifications notifications;
    const auto registerFor = SystemFunction<RegisterProc>(kUser32, "RegisterPowerSettingNotification");
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
