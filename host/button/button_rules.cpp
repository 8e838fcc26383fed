#include "button_rules.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr std::int32_t kCorner = 60;           // twips: four pixels of frame
constexpr std::int32_t kPictureWidth = 960;    // 64 pixels
constexpr std::int32_t kPictureHeight = 375;   // 25 pixels
constexpr std::int32_t kEdgeSpan = 840;        // the picture's top and bottom edge pieces
constexpr std::int32_t kSideSpan = 255;        // its left and right edge pieces
constexpr std::int32_t kSubPixelOffset = 1;    // less than a pixel: lands on pixel 0
constexpr float kCaptionLift = 20.0f;          // twice the 10 twips above the middle

constexpr std::string_view kWhiteText = "&HFFFFFF";
constexpr std::string_view kLavenderText = "&HC6C5D7";

bool Enabled(const ButtonMachine& button) { return button.EnabledFlag != kFalse; }

// Nearest 16-bit integer, halves to the even neighbour; nothing on overflow.
std::optional<std::int16_t> ToInteger16(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

void Initialize(ButtonMachine& button) { button.ButtonState = kStateNormal; }

ButtonReaction OnMouseMove(ButtonMachine& button)
{
    if (!Enabled(button)) return {};
    if (button.ButtonState == kStateNormal) {
        button.ButtonState = kStateHover;
        return {StatePicture::HighLight};
    }
    if (button.ButtonState == kStateFocused && button.MouseIsDown == kFalse) {
        button.ButtonState = kStateFocusedHover;
        return {StatePicture::HighLightSelect};
    }
    return {};
}

ButtonReaction OnMouseDown(ButtonMachine& button, std::int16_t mouseButton)
{
    if (!Enabled(button) || mouseButton != kLeftMouseButton) return {};
    button.MouseIsDown = kTrue;
    return {StatePicture::Pressed};
}

ButtonReaction OnMouseUp(ButtonMachine& button, std::int16_t mouseButton, PressOrigin origin)
{
    if (!Enabled(button)) return {};
    ButtonReaction reaction;
    if (mouseButton == kLeftMouseButton) {
        if (button.ButtonState == kStateHover) reaction.picture = StatePicture::Normal;
        if (button.ButtonState == kStateFocusedHover) reaction.picture = StatePicture::HighLightSelect;
        button.MouseIsDown = kFalse;
    }
    // Any mouse button raises Click, unless the pointer left the focused
    // button while it was held, or the press was not on this button; only an
    // exactly true flag counts here.
    reaction.click = origin == PressOrigin::ThisButton && button.ButtonState != kStateFocused &&
                     button.EnabledFlag == kTrue;
    return reaction;
}

ButtonReaction OnGotFocus(ButtonMachine& button)
{
    if (!Enabled(button)) return {};
    if (button.ButtonState == kStateHover) {
        button.ButtonState = kStateFocusedHover;
        return {StatePicture::Pressed};
    }
    button.ButtonState = kStateFocused;
    return {StatePicture::Selected};
}

ButtonReaction OnLostFocus(ButtonMachine& button)
{
    button.SpaceIsDown = false;
    if (!Enabled(button) || button.ButtonState == kStateNormal) return {};
    button.ButtonState = kStateNormal;
    return {StatePicture::Normal};
}

ButtonReaction PointerLeft(ButtonMachine& button)
{
    if (!Enabled(button)) return {};
    if (button.ButtonState == kStateHover) {
        button.ButtonState = kStateNormal;
        return {StatePicture::Normal};
    }
    if (button.ButtonState == kStateFocusedHover) {
        button.ButtonState = kStateFocused;
        return {StatePicture::Selected};
    }
    return {};
}

ButtonReaction OnSpaceDown(ButtonMachine& button)
{
    if (!Enabled(button) || button.SpaceIsDown) return {};
    button.SpaceIsDown = true;
    return {StatePicture::Pressed};
}

ButtonReaction OnSpaceUp(ButtonMachine& button)
{
    if (!std::exchange(button.SpaceIsDown, false) || !Enabled(button)) return {};
    StatePicture picture = StatePicture::Normal;
    if (button.ButtonState == kStateFocused) picture = StatePicture::Selected;
    if (button.ButtonState == kStateFocusedHover) picture = StatePicture::HighLightSelect;
    return {picture, button.EnabledFlag == kTrue};
}

ButtonReaction OnEnterKey(ButtonMachine& button)
{
    if (!Enabled(button)) return {};
    return {StatePicture::None, button.EnabledFlag == kTrue};
}

void UpdateGradientDirection(ButtonMachine& button)
{
    if (button.ButtonState == kStateNormal || button.ButtonState == kStateFocused)
        button.GradientInverted = kFalse;
    else if (button.ButtonState == kStateHover)
        button.GradientInverted = kTrue;
}

std::optional<std::array<FramePiece, 8>> FramePieces(double width, double height)
{
    const auto spanX = ToInteger16(width - 2 * kCorner);
    const auto spanY = ToInteger16(height - 2 * kCorner);
    if (!spanX || !spanY) return std::nullopt;
    const auto right = static_cast<std::int32_t>(*spanX) + kCorner;   // W - 60
    const auto bottom = static_cast<std::int32_t>(*spanY) + kCorner;  // H - 60
    const std::int32_t sourceRight = kPictureWidth - kCorner, sourceBottom = kPictureHeight - kCorner;
    const std::int32_t o = kSubPixelOffset;
    return std::array<FramePiece, 8>{{
        {{0, 0, kCorner, kCorner}, {o, o, kCorner, kCorner}},                                  // top-left
        {{kCorner, o, kEdgeSpan, kCorner}, {kCorner, o, *spanX, kCorner}},                     // top
        {{sourceRight, o, kCorner, kCorner}, {right, o, kCorner, kCorner}},                    // top-right
        {{sourceRight, kCorner, kCorner, kSideSpan}, {right, kCorner, kCorner, *spanY}},       // right
        {{sourceRight, sourceBottom, kCorner, kCorner}, {right, bottom, kCorner, kCorner}},    // bottom-right
        {{kCorner, sourceBottom, kEdgeSpan, kCorner}, {kCorner, bottom, *spanX, kCorner}},     // bottom
        {{0, sourceBottom, kCorner, kCorner}, {o, bottom, kCorner, kCorner}},                  // bottom-left
        {{o, kCorner, kCorner, kSideSpan}, {o, kCorner, kCorner, *spanY}},                     // left
    }};
}

PixelRect InPicturePixels(const TwipRect& source)
{
    const std::int32_t scale = kPictureTwipsPerPixel;
    return {source.x / scale, source.y / scale, source.width / scale, source.height / scale};
}

float CaptionTop(float buttonHeight, float labelHeight) { return (buttonHeight - labelHeight - kCaptionLift) / 2; }

std::optional<GradientVertex> GradientColour(std::string_view text)
{
    if (text.size() != 8 || text.substr(0, 2) != "&H") return std::nullopt;
    std::uint16_t channels[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const int high = HexDigit(text[2 + 2 * i]), low = HexDigit(text[3 + 2 * i]);
        if (high < 0 || low < 0) return std::nullopt;
        channels[i] = static_cast<std::uint16_t>((high * 16 + low) << 8);
    }
    GradientVertex vertex;
    vertex.red = channels[0];
    vertex.green = channels[1];
    vertex.blue = channels[2];
    return vertex;
}

std::array<GradientVertex, 2> GradientVertices(bool inverted, float innerWidth, float innerHeight)
{
    GradientVertex white = *GradientColour(kWhiteText), lavender = *GradientColour(kLavenderText);
    GradientVertex top = inverted ? lavender : white, bottom = inverted ? white : lavender;
    bottom.x = static_cast<std::int32_t>(std::nearbyint(static_cast<double>(innerWidth) - 1));
    bottom.y = static_cast<std::int32_t>(std::nearbyint(static_cast<double>(innerHeight) - 1));
    return {top, bottom};
}
