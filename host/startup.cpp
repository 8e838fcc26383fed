#include "startup.h"

#include "dialog.h"
#include "forms/application.h"
#include "preview.h"
#include "saver.h"
#include "settings.h"
#include "shared_names.h"
#include "startup_rules.h"

#include <windows.h>

namespace {

constexpr wchar_t kProductTitle[] = L"Sorvane";
constexpr wchar_t kRendererMissingText[] = L"Sorvane.dll が同じﾌｫﾙﾀﾞに見つかりません！";

bool AnotherInstanceIsRunning()
{
    return FindWindowW(nullptr, kSaverFormCaption) != nullptr ||
           FindWindowW(nullptr, kSettingsDialogCaption) != nullptr;
}

}  // namespace

void StartUp(std::string_view argumentText)
{
    if (AnotherInstanceIsRunning()) Application::EndProgram();

    const std::string mode = ModeLetter(argumentText);
    if (mode == "P") {
        StartPreview(PreviewParentHandle(argumentText));
        return;
    }

    CreateDirectoryA(kWorkFolder, nullptr);
    LoadSettings();

    if (!FileExists(RendererPath())) {
        MessageBoxW(nullptr, kRendererMissingText, kProductTitle, MB_OK);
        Application::EndProgram();
    }

    if (mode == "C") {
        ShowSettingsDialog();
        Application::EndProgram();
    }
    if (mode != "S" && !argumentText.empty()) Application::EndProgram();
    if (mode == "S") ShowCursor(FALSE);
    // Loaded, never shown: its timers drive the run from here on.
    LoadSaverForm();
}
