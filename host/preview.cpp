#include "preview.h"

#include "forms/application.h"
#include "forms/form.h"
#include "forms/picture.h"
#include "resource_ids.h"
#include "settings.h"
#include "shared_names.h"

#include <windows.h>

namespace {

// A windowless image control: drawn by its form at its natural size.
struct ImageControl {
    RECT bounds{};
    Picture picture;
};

class PreviewForm final : public Form {
public:
    PreviewForm() : Form(kPreviewFormCaption) {}

    ImageControl Img_Prev;

protected:
    DWORD Style() const override { return WS_POPUP; }

    void Form_Load() override { Img_Prev.picture = Picture::FromResource(IDB_PREVIEW); }

    void Form_Unload() override
    {
        // The owner is looked up and not used; the close message is posted to
        // the form's own window, which is going anyway.
        (void)GetWindow(Handle(), GW_OWNER);
        LastApiResult = PostMessageA(Handle(), WM_CLOSE, 0, 0);
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            Paint(dc);
            EndPaint(Handle(), &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        default:
            return Form::OnMessage(message, wParam, lParam);
        }
    }

private:
    // The black form with the picture at its natural size from the top-left.
    void Paint(HDC dc) const
    {
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        Img_Prev.picture.Draw(dc, Img_Prev.bounds.left, Img_Prev.bounds.top,
                              Img_Prev.bounds.right - Img_Prev.bounds.left,
                              Img_Prev.bounds.bottom - Img_Prev.bounds.top);
    }
};

PreviewForm& Sorvane_R()
{
    static PreviewForm form;
    return form;
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

    PreviewForm& form = Sorvane_R();
    form.Load();
    HWND window = form.Handle();
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_CHILD);
    SetParent(window, parent);
    MoveWindow(window, 0, 0, width, height, FALSE);
    form.Img_Prev.bounds = {0, 0, width, height};
    form.Show();
}
