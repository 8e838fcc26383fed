// The gradient push button's decisions: which state picture frames it after
// each event, whether a release raises Click, where the eight frame pieces
// go and which colours the gradient's two vertices get. Plain C++.
#pragma once

#include "boolean16.h"
#include "forms/mouse_button.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

enum class StatePicture { None, Normal, HighLight, Selected, Pressed, HighLightSelect, Disable };


// ButtonState values.
inline constexpr std::uint8_t kStateUninitialised = 0, kStateNormal = 1, kStateHover = 2, kStateFocused = 3,
                              kStateFocusedHover = 4;

// The fields the state machine reads and writes.
struct ButtonMachine {
    std::uint8_t ButtonState = kStateUninitialised;
    std::int16_t EnabledFlag = kFalse;
    std::int16_t MouseIsDown = kFalse;
    std::int16_t GradientInverted = kFalse;
    // True from a press of Space on the focused button until its release.
    bool SpaceIsDown = false;
};

// What an event asks of the button: a picture to draw (None: nothing is
// drawn) and whether Click is raised after it.
struct ButtonReaction {
    StatePicture picture = StatePicture::None;
    bool click = false;
    friend bool operator==(const ButtonReaction&, const ButtonReaction&) = default;
};

void Initialize(ButtonMachine& button);
ButtonReaction OnMouseMove(ButtonMachine& button);
ButtonReaction OnMouseDown(ButtonMachine& button, std::int16_t mouseButton);
// Where the press that a release ends began. A release whose press began
// elsewhere (on the form, or in a window that has gone since, as the second
// click of a double-click that closed a file dialog) is no click.
enum class PressOrigin { ThisButton, Elsewhere };
ButtonReaction OnMouseUp(ButtonMachine& button, std::int16_t mouseButton, PressOrigin origin);
ButtonReaction OnGotFocus(ButtonMachine& button);
ButtonReaction OnLostFocus(ButtonMachine& button);
// A timer tick on which the pointer is not over the button.
ButtonReaction PointerLeft(ButtonMachine& button);

// The keyboard on the focused button, as on the system's push buttons: Space
// shows the pressed picture while it is held (its repeats change nothing)
// and clicks on its release, giving back the state's own picture; Enter
// clicks at once. Losing the focus while Space is held clicks nothing.
ButtonReaction OnSpaceDown(ButtonMachine& button);
ButtonReaction OnSpaceUp(ButtonMachine& button);
ButtonReaction OnEnterKey(ButtonMachine& button);

// The disabled caption's colour, 0x00BBGGRR: fixed, since the face it lies
// on is fixed too (a theme's grey text can be white in high contrast).
inline constexpr std::uint32_t kDisabledCaptionColour = 0x00606060;

// The gradient's direction for the state the face is drawn in: normal in
// states 1 and 3, inverted in 2, kept as it was otherwise (so state 4 shows
// the gradient of the state it came from).
void UpdateGradientDirection(ButtonMachine& button);

// One frame piece: a rectangle of the 960 x 375 twip picture and where it goes
// on the button, in twips.
struct TwipRect {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};
struct FramePiece {
    TwipRect source, destination;
};

// The eight pieces for a button of width and height in twips, in drawing
// order; nothing when width - 120 or height - 120 leaves the 16-bit range.
std::optional<std::array<FramePiece, 8>> FramePieces(double width, double height);

// The state pictures keep their own scale, 15 twips to a picture pixel,
// whatever the screen's: a piece's source is cut in the picture's pixels,
// only its destination follows the screen.
inline constexpr std::int32_t kPictureTwipsPerPixel = 15;
struct PixelRect {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
PixelRect InPicturePixels(const TwipRect& source);

// Top of the caption label: 10 twips above the vertical middle.
float CaptionTop(float buttonHeight, float labelHeight);

// A gradient vertex: position in pixels, 16-bit channels (0xFF00 is full).
struct GradientVertex {
    std::int32_t x = 0, y = 0;
    std::uint16_t red = 0, green = 0, blue = 0, alpha = 0;
    friend bool operator==(const GradientVertex&, const GradientVertex&) = default;
};

// The channels of a colour written as "&HRRGGBB": each pair of digits, in the
// order written, followed by "00".
std::optional<GradientVertex> GradientColour(std::string_view text);

// The two vertices of the face for an inner size in pixels: white at the top
// and lavender grey at the bottom, or the reverse when inverted.
std::array<GradientVertex, 2> GradientVertices(bool inverted, float innerWidth, float innerHeight);

// GradientFill's rectangle: upper-left vertex 1, lower-right vertex 0.
inline constexpr std::uint32_t kGradientUpperLeft = 1, kGradientLowerRight = 0;
