#include "preview.h"

#include "forms/application.h"
#include "forms/form.h"
#include "forms/picture.h"
#include "forms/windowless_control.h"
#include "resource_ids.h"
#include "settings.h"
#include "shared_names.h"
#include "system_library.h"

#include <windows.h>

namespace {

class PreviewForm final : public Form {
public:
    PreviewForm() : Form(kPreviewFormCaption) {}

    ImageControl Img_Prev;
    // The preview pane the form is made in.
    HWND pane = nullptr;

protected:
    // A true child from the start, made in the pane: a popup cannot simply
    // become a child, and a top-level window without the popup bit would
    // get a caption.
    DWORD Style() const override { return WS_CHILD; }
    HWND Parent() const override { return pane; }

    void Form_Load() override
    {
        picture_ = Picture::FromResource(IDB_PREVIEW);
        Img_Prev.picture = &picture_;
    }

    void Form_Unload() override
    {
        // The owner is looked up and not used; the close message is posted to
        // the form's own window, which is going anyway.
        (void)GetWindow(Handle(), GW_OWNER);
        LastApiResult = PostMessageA(Handle(), WM_CLOSE, 0, 0);
    }

    // The black form with the picture at its natural size from the top-left.
    void PaintContent(HDC dc) override
    {
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        Img_Prev.Draw(dc);
    }

private:
    Picture picture_;
};

PreviewForm& Sorvane_R()
{
    static PreviewForm form;
    return form;
}

// The preview's thread takes the pane's DPI awareness, so the system does
// not reset the awareness of a child placed in another process's window of
// a different one. Looked up: before Windows 10 1607 neither call exists.
void TakeDpiAwarenessOf(HWND pane)
{
    using AwarenessOfWindow = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
    using SetThreadAwareness = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto awarenessOf = SystemFunction<AwarenessOfWindow>(L"user32.dll", "GetWindowDpiAwarenessContext");
    const auto setAwareness = SystemFunction<SetThreadAwareness>(L"user32.dll", "SetThreadDpiAwarenessContext");
    if (!awarenessOf || !setAwareness) return;
    if (const DPI_AWARENESS_CONTEXT awareness = awarenessOf(pane)) setAwareness(awareness);
}

}  // namespace

void StartPreview(std::int32_t parentHandle)
{
    const auto parent = reinterpret_cast<HWND>(static_cast<INT_PTR>(parentHandle));
    // No pane, no preview: without a parent window nothing would ever end the
    // process, which would wait invisibly for good.
    if (!IsWindow(parent)) Application::EndProgram();

    RECT paneRect{};
    GetWindowRect(parent, &paneRect);
    const int width = paneRect.right - paneRect.left, height = paneRect.bottom - paneRect.top;

    TakeDpiAwarenessOf(parent);
    PreviewForm& form = Sorvane_R();
    form.pane = parent;
    form.Load();
    HWND window = form.Handle();
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_CHILD);
    // The pane may go at any moment (the list of savers scrolled past it):
    // without it the form would stay a stray top-level picture until logoff.
    if (!SetParent(window, parent) || !IsWindow(parent)) Application::EndProgram();
    MoveWindow(window, 0, 0, width, height, FALSE);
    form.Img_Prev.bounds = {0, 0, width, height};
    form.Show();
}
