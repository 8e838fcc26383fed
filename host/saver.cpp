#include "saver.h"

#include "ansi_text.h"
#include "forms/application.h"
#include "forms/form.h"
#include "forms/picture.h"
#include "forms/timer.h"
#include "music.h"
#include "program.h"
#include "resource_ids.h"
#include "saver_rules.h"
#include "settings.h"
#include "shared_names.h"
#include "win32_handles.h"
#include "work_folder.h"

#include <windows.h>

#include <optional>
#include <utility>

namespace {

constexpr int kRendererShowCommand = SW_SHOWNORMAL;  // a normal, activated window
constexpr UINT kMp3RepeatMs = 1000, kCdPollMs = 200, kRendererWatchMs = 500;

class SaverForm final : public Form {
public:
    SaverForm() : Form(kSaverFormCaption)
    {
        Timer1.SetInterval(kMp3RepeatMs);
        Timer2.SetInterval(kCdPollMs);
        Timer3.SetInterval(kRendererWatchMs);
    }

    // From start-up to the run's end, when the plan hides it.
    std::optional<HiddenCursor> hiddenCursor;

protected:
    void Form_Load() override
    {
        // The renderer watch ticks from the moment the form exists.
        Timer3.SetEnabled(true);
        Pic1[0] = Picture::FromResource(IDB_STAR_FIELD);
        Pic1[1] = Picture::FromResource(IDB_BLACK_PIXEL);

        // A work folder that is not the saver's own gets nothing; the renderer
        // reads whatever is there, and its loader judges it.
        if (const WorkFolder workFolder = WorkFolder::Open()) {
            workFolder.WriteFile(kStarPicturePath, BitmapFileOf(Pic1[0]));
            workFolder.WriteFile(kOverlayPicturePath, BitmapFileOf(Pic1[1]));
        }
        musicPlan_ = MusicPlanFor(BgmCategory, BgmFile, IsAnsiLeadByte);
        switch (musicPlan_) {
        case MusicPlan::Cd:
            OpenCdMusic();
            Timer2.SetEnabled(true);
            break;
        case MusicPlan::Wave:
            PlayWaveMusic();
            break;
        case MusicPlan::Mp3:
            OpenMp3Music();
            Timer1.SetEnabled(true);
            break;
        case MusicPlan::None:
            break;
        }
        // Only now that both textures are written. The renderer's start-up
        // allowance counts from here: slow pictures or a music file that is
        // slow to open (a sleeping network share) take none of it.
        StartedProgram renderer = StartProgram(RendererPath(), kRendererShowCommand);
        started_ = GetTickCount();
        // Windows lets the program it started as the screen saver take the
        // foreground, not one that program starts: the renderer gets the
        // right from here, or Escape would reach whatever was active before.
        if (renderer.process) AllowSetForegroundWindow(renderer.processId);
        renderer_ = std::move(renderer.process);
    }

    void QueryUnload(bool&) override
    {
        if (Timer2.Enabled()) {
            Timer2.SetEnabled(false);
            CloseCdMusic();
        }
        switch (musicPlan_) {
        case MusicPlan::Wave:
            StopWaveMusic();
            break;
        case MusicPlan::Mp3:
            Timer1.SetEnabled(false);
            CloseMp3Music();
            break;
        case MusicPlan::Cd:    // stopped with its poll above, if it still runs
        case MusicPlan::None:
            break;
        }
        // The program ends without running destructors.
        hiddenCursor.reset();
        Application::EndProgram();
    }

private:
    void Timer1_Timer() { RepeatMp3Music(); }

    void Timer2_Timer()
    {
        PollCdMusic();
        Timer2.SetEnabled(CdPollOk != 0);
    }

    void Timer3_Timer()
    {
        const HWND window = FindWindowA(nullptr, kRendererWindowTitle);
        const bool found = window != nullptr;
        // The host may bring a window to the front where the renderer, on
        // its own, might be refused.
        if (found && !rendererFound_) {
            rendererFound_ = true;
            SetForegroundWindow(window);
        }
        if (watch_.RunIsOver(found, ProcessHasEnded(renderer_), GetTickCount() - started_)) {
            Timer3.SetEnabled(false);
            Unload();
        }
    }

    Picture Pic1[2];
    Timer Timer1{*this, [this] { Timer1_Timer(); }};
    Timer Timer2{*this, [this] { Timer2_Timer(); }};
    Timer Timer3{*this, [this] { Timer3_Timer(); }};
    MusicPlan musicPlan_ = MusicPlan::None;
    UniqueKernelHandle renderer_;
    bool rendererFound_ = false;
    RendererWatch watch_;
    DWORD started_ = 0;
};

SaverForm& Sorvane_S()
{
    static SaverForm form;
    return form;
}

}  // namespace

void LoadSaverForm(const StartUpPlan& plan)
{
    if (plan.hideCursor) Sorvane_S().hiddenCursor.emplace();
    Sorvane_S().Load();
}
