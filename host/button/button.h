// The gradient push button `Command`: a child window of a form that paints a
// vertical white-to-lavender gradient framed by one of six state pictures,
// follows the pointer and the focus, stores its properties and raises Click.
#pragma once

#include "button_rules.h"
#include "forms/form.h"
#include "forms/owned_window.h"
#include "forms/picture.h"
#include "forms/property_bag.h"
#include "forms/surface.h"
#include "forms/timer.h"
#include "win32_handles.h"

#include <windows.h>

#include <array>
#include <functional>
#include <string>

class Command final : public OwnedWindow {
public:
    // A button on the container form (which must be loaded), hidden until placed.
    explicit Command(Form& container);
    // A button in a container window (a picture box) of the loaded form.
    Command(Form& form, HWND parent);

    // The container places and sizes the button, in twips; this raises Resize.
    void Move(int leftTwips, int topTwips, int widthTwips, int heightTwips);

    void Initialize();
    std::uint8_t Visible();
    void SetVisible(std::uint8_t visible);
    COLORREF FontColour();
    void SetFontColour(COLORREF colour);
    std::int16_t Enabled();
    void SetEnabled(std::int16_t enabled);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    const FontDescription& Font() const { return font_; }
    void SetFont(FontDescription font);

    // Raised synchronously by the mouse-up handling.
    std::function<void()> Click;
    // Told the name of each stored property that changes.
    std::function<void(const std::wstring&)> PropertyChanged;

    void ReadProperties(const PropertyBag& bag, const FontDescription& ambientFont);
    void WriteProperties(PropertyBag& bag, const FontDescription& ambientFont);

    // The state and the last picture drawn, for the container's tests.
    const ButtonMachine& Machine() const { return machine_; }
    StatePicture LastPicture() const { return lastPicture_; }

private:
    // The caption, and the window's text that names the button.
    void StoreCaption(std::wstring caption);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The persistent image (or the plain face while hidden), caption on top.
    void PaintContent(HDC dc) override;

    void ApplyEnabled();
    void RefreshButton();
    void DrawButton(StatePicture picture);
    void DrawGradient();
    void React(const ButtonReaction& reaction);
    void TmrMouse_Timer();
    void Notify(const wchar_t* property);

    Form& form_;
    ButtonMachine machine_;
    std::uint8_t FirstRunFlag = 0;
    bool opaque_ = true;
    std::wstring caption_ = L"Command";
    FontDescription font_;
    UniqueFont fontHandle_;
    COLORREF fontColour_ = 0;
    bool labelEnabled_ = true;
    float labelTop_ = 90;
    int widthTwips_ = 0, heightTwips_ = 0;
    // By state picture, from Normal.
    std::array<Picture, 6> pictures_;
    PersistentSurface surface_;
    StatePicture lastPicture_ = StatePicture::None;
    Timer TmrMouse;
};
