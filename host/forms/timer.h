// A timer of a form: ticks every `interval` milliseconds on the user-interface
// thread while it is enabled and its form is loaded. A tick never starts while
// the previous one is still running (for example inside a message box).
#pragma once

#include <windows.h>

#include <functional>

class Form;

class Timer {
public:
    Timer(const Form& owner, std::function<void()> onTick);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetInterval(UINT milliseconds);
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    void Restart();
    void Tick();

    const Form& owner_;
    std::function<void()> onTick_;
    UINT interval_ = 0;
    bool enabled_ = false;
    bool ticking_ = false;
    UINT_PTR id_ = 0;
};
