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

bool AnotherInstanceIsRunning()
{
    return FindWindowW(nullptr, kSaverFormCaption) != nullptr ||
           FindWindowW(nullptr, kSettingsDialogCaption) != nullptr;
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
    LoadSettings();

    if (!FileExists(RendererPath())) {
        MessageBoxW(nullptr, kRendererMissingText, kProductTitle, MB_OK);
        Application::EndProgram();
    }

    switch (plan.action) {
    case StartUpAction::Settings:
        ShowSettingsDialog();
        Application::EndProgram();
    case StartUpAction::Quit:
        Application::EndProgram();
    case StartUpAction::Run:
    case StartUpAction::Preview:
        break;
    }
    if (plan.hideCursor) ShowCursor(FALSE);
    // Loaded, never shown: its timers drive the run from here on.
    LoadSaverForm(plan);
}
