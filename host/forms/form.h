// A form: a top-level window of the host with a caption and event handlers.
// It is loaded hidden (window created, Form_Load run) and shown only when
// asked, modally or not; unloading asks QueryUnload, runs Form_Unload and
// destroys the window. A form lays itself out at the resolution of the
// monitor it stands on, and again when it moves onto one of another scale.
#pragma once

#include "owned_window.h"
#include "twips.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

class Form : public OwnedWindow {
public:
    explicit Form(std::wstring caption);
    ~Form() override;

    // Creates the hidden window and runs Form_Load. Loading twice does nothing.
    void Load();
    // Shows the form (loading it first when needed).
    void Show();
    // Shows the form and returns once it has been unloaded; other forms of the
    // host take no input meanwhile.
    void ShowModal();
    // Unloads unless QueryUnload cancels; true when the form is gone.
    bool Unload();

    bool IsLoaded() const { return Handle() != nullptr; }
    const std::wstring& Caption() const { return caption_; }

    // The resolution the form lays itself out at: its monitor's once loaded.
    int Dpi() const;
    // Twips as whole pixels at the form's resolution.
    int ToPixels(double twips) const { return TwipsToPixels(twips, Dpi()); }
    RECT Pixels(const TwipLayout& layout) const;

protected:
    // The controls the form holds, created with its window before Form_Load.
    virtual void CreateControls() {}
    // Event handlers, named after the events.
    virtual void Form_Load() {}
    // The window has moved onto a monitor of another scale and taken the
    // place the system suggests: every control is laid out again at Dpi().
    virtual void LayOutAgain() {}
    // Sets cancel to true to keep the form loaded.
    virtual void QueryUnload(bool& cancel) { (void)cancel; }
    // When the form is first shown, and when its size changes while shown.
    virtual void Form_Resize() {}
    virtual void Form_Unload() {}

    // Messages the form does not handle itself; the default paints and
    // leaves the rest to DefWindowProcW.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Window styles of the form's window.
    virtual DWORD Style() const { return WS_OVERLAPPEDWINDOW; }
    virtual DWORD ExStyle() const { return 0; }
    // The window the form's window is made in; none for a top-level form.
    virtual HWND Parent() const { return nullptr; }

    // The control that has the focus; while the form is not the active
    // window, the one that gets it back when the form is activated again.
    HWND FocusedControl() const;
    // Gives the control the focus now, or, while the form is not the active
    // window, when it is activated again.
    void GiveFocusTo(HWND control);
    // True while a command from the dialog box's keyboard handling (Enter,
    // Escape) comes from a key held down: the keyboard's auto-repeat.
    bool CommandFromKeyRepeat() const { return keyRepeatInHandling_; }
    // Runs a control's event handler. The control is still inside its own
    // message, and a new layout destroys it: one asked for meanwhile waits
    // until the handler has returned.
    void RunHandler(const std::function<void()>& handler);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    // Destroyed with its parent: the form is unloaded all the same.
    void OnWindowDestroyed() final;
    // Form_Unload, then the window goes (destroyed here, or already going).
    void FinishUnload(bool destroyWindow);
    // The form no longer counts as loaded (once).
    void StopCounting();
    void ShowWindowFirstTime();
    // The new layout asked for last, unless a handler or a layout still runs.
    void LayOutWhenFree();

    std::wstring caption_;
    // The control that had the focus when the form was last deactivated; it
    // gets it back when the form is activated again, as in a dialog box.
    HWND focusBeforeDeactivation_ = nullptr;
    bool active_ = false;
    bool keyRepeatInHandling_ = false;
    // True from the end of Load until the form is unloaded.
    bool counted_ = false;
    bool unloading_ = false;
    bool shown_ = false;
    // 0 until loaded: the screen's resolution then.
    int dpi_ = 0;
    struct Layout {
        int dpi;
        RECT suggested;
    };
    std::optional<Layout> pendingLayout_;
    int handlersRunning_ = 0;
    int layoutsRunning_ = 0;
};
