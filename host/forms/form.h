// A form: a top-level window of the host with a caption and event handlers.
// It is loaded hidden (window created, Form_Load run) and shown only when
// asked, modally or not; unloading asks QueryUnload, runs Form_Unload and
// destroys the window.
#pragma once

#include "window_procedure.h"
#include "win32_handles.h"

#include <windows.h>

#include <string>

class Form {
public:
    explicit Form(std::wstring caption);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the hidden window and runs Form_Load. Loading twice does nothing.
    void Load();
    // Shows the form (loading it first when needed).
    void Show();
    // Shows the form and returns once it has been unloaded; other forms of the
    // host take no input meanwhile.
    void ShowModal();
    // Unloads unless QueryUnload cancels; true when the form is gone.
    bool Unload();

    bool IsLoaded() const { return static_cast<bool>(window_); }
    HWND Handle() const { return window_.get(); }
    const std::wstring& Caption() const { return caption_; }

protected:
    // The controls the form holds, created with its window before Form_Load.
    virtual void CreateControls() {}
    // Event handlers, named after the events.
    virtual void Form_Load() {}
    // Sets cancel to true to keep the form loaded.
    virtual void QueryUnload(bool& cancel) { (void)cancel; }
    // When the form is first shown, and when its size changes while shown.
    virtual void Form_Resize() {}
    virtual void Form_Unload() {}

    // Messages the form does not handle itself; the default is DefWindowProcW.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Window styles of the form's window.
    virtual DWORD Style() const { return WS_OVERLAPPEDWINDOW; }
    virtual DWORD ExStyle() const { return 0; }

private:
    template <typename Owner>
    friend LRESULT CALLBACK OwnedWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Form_Unload, then the window goes (destroyed here, or already going).
    void FinishUnload(bool destroyWindow);
    void ShowWindowFirstTime();

    std::wstring caption_;
    UniqueWindow window_;
    bool unloading_ = false;
    bool shown_ = false;
};
