#include "startup.h"

#include "ansi_text.h"
#include "dialog/dialog.h"
#include "forms/application.h"
#include "messages.h"
#include "preview.h"
#include "saver.h"
#include "settings.h"
#include "shared_names.h"
#include "startup_rules.h"

#include <windows.h>

namespace {

// Another host's saver form or settings dialog. A dialog is brought to the
// front first: it has no owner, so one click on the screen-saver settings
// hides it behind them, and a second click on their Settings button would
// otherwise seem to do nothing. The settings window, in the foreground,
// started this host, so Windows lets it hand the foreground on.
bool AnotherInstanceIsRunning()
{
    if (FindWindowW(nullptr, kSaverFormCaption)) return true;
    const HWND dialog = FindWindowW(nullptr, kSettingsDialogCaption);
    if (!dialog) return false;
    if (IsIconic(dialog)) ShowWindow(dialog, SW_RESTORE);
    SetForegroundWindow(dialog);
    return true;
}

}  // namespace

void StartUp(std::string_view argumentText)
{
    if (AnotherInstanceIsRunning()) Application::EndProgram();

    const StartUpPlan plan = PlanStartUp(argumentText, IsAnsiLeadByte);
    if (plan.action == StartUpAction::Preview) {
        StartPreview(PreviewParentHandle(argumentText, IsAnsiLeadByte));
        return;
    }

    CreateDirectoryA(kWorkFolder, nullptr);
    const std::optional<StoredMusicFile> unreachableFile = LoadSettings();

    if (!FileExists(RendererPath())) {
        MessageBoxW(nullptr, kRendererMissingText, kProductTitle, MB_OK);
        Application::EndProgram();
    }

    switch (plan.action) {
    case StartUpAction::Settings:
        ShowSettingsDialog(unreachableFile);
        Application::EndProgram();
    case StartUpAction::Quit:
        Application::EndProgram();
    case StartUpAction::Run:
    case StartUpAction::Preview:
        break;
    }
    // Loaded, never shown: its timers drive the run from here on.
    LoadSaverForm(plan);
}
