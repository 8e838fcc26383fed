#include "timer.h"

#include "form.h"

#include <map>

namespace {

// Thread timers carry only their id; this finds the timer behind it.
std::map<UINT_PTR, Timer*>& RunningTimers()
{
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}

}  // namespace

Timer::Timer(const Form& owner, std::function<void()> onTick) : owner_(owner), onTick_(std::move(onTick)) {}

Timer::~Timer() { SetEnabled(false); }

void Timer::SetInterval(UINT milliseconds)
{
    interval_ = milliseconds;
    Restart();
}

void Timer::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Restart();
}

void Timer::Restart()
{
    if (id_) {
        KillTimer(nullptr, id_);
        RunningTimers().erase(id_);
        id_ = 0;
    }
    // An interval of 0 keeps a timer silent, as a disabled one.
    if (!enabled_ || interval_ == 0) return;
    id_ = SetTimer(nullptr, 0, interval_, OnTimer);
    if (id_) RunningTimers()[id_] = this;
}

void CALLBACK Timer::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    const auto found = RunningTimers().find(id);
    if (found != RunningTimers().end()) found->second->Tick();
}

void Timer::Tick()
{
    if (ticking_ || !owner_.IsLoaded() || !onTick_) return;
    ticking_ = true;
    onTick_();
    ticking_ = false;
}
