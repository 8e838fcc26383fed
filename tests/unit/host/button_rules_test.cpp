// The button's state machine through the scenarios a user plays on it, and
// the geometry and colours of its face.
#include "button/button_rules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr std::int16_t kRight = 2, kMiddle = 4;
const ButtonReaction kNothing{};
constexpr PressOrigin kHere = PressOrigin::ThisButton;

ButtonMachine EnabledButton()
{
    ButtonMachine button;
    button.EnabledFlag = kTrue;
    Initialize(button);
    return button;
}

TEST(ButtonStates, ALeftClickOnAnUnfocusedButton)
{
    ButtonMachine button = EnabledButton();
    EXPECT_EQ(OnMouseMove(button), ButtonReaction{StatePicture::HighLight});
    EXPECT_EQ(button.ButtonState, kStateHover);
    EXPECT_EQ(OnMouseMove(button), kNothing) << "moves that change nothing draw nothing";
    EXPECT_EQ(OnMouseDown(button, kLeftMouseButton), ButtonReaction{StatePicture::Pressed});
    EXPECT_EQ(OnGotFocus(button), ButtonReaction{StatePicture::Pressed});
    EXPECT_EQ(button.ButtonState, kStateFocusedHover);
    EXPECT_EQ(OnMouseUp(button, kLeftMouseButton, kHere), (ButtonReaction{StatePicture::HighLightSelect, true}));
    EXPECT_EQ(button.MouseIsDown, kFalse);
}

TEST(ButtonStates, DraggingOutUntilATickThenReleasingRaisesNoClick)
{
    ButtonMachine button = EnabledButton();
    OnMouseMove(button);
    OnMouseDown(button, kLeftMouseButton);
    OnGotFocus(button);
    EXPECT_EQ(PointerLeft(button), ButtonReaction{StatePicture::Selected});
    EXPECT_EQ(button.ButtonState, kStateFocused);
    // Back in while still holding: state 3 stays.
    EXPECT_EQ(OnMouseMove(button), kNothing);
    EXPECT_EQ(OnMouseUp(button, kLeftMouseButton, kHere), kNothing);

    // Released outside before any tick noticed: still state 4, Click.
    ButtonMachine quick = EnabledButton();
    OnMouseMove(quick);
    OnMouseDown(quick, kLeftMouseButton);
    OnGotFocus(quick);
    EXPECT_TRUE(OnMouseUp(quick, kLeftMouseButton, kHere).click);
}

TEST(ButtonStates, OtherMouseButtonsClickWithoutDrawing)
{
    ButtonMachine button = EnabledButton();
    OnMouseMove(button);
    EXPECT_EQ(OnMouseDown(button, kRight), kNothing);
    EXPECT_EQ(OnMouseUp(button, kRight, kHere), (ButtonReaction{StatePicture::None, true}));
    EXPECT_EQ(OnMouseUp(button, kMiddle, kHere), (ButtonReaction{StatePicture::None, true}));
    OnGotFocus(button);
    PointerLeft(button);
    EXPECT_EQ(OnMouseUp(button, kRight, kHere), kNothing) << "state 3 never clicks";
}

TEST(ButtonStates, FocusByKeyboardAndTheLeftReleaseInStateTwo)
{
    ButtonMachine button = EnabledButton();
    OnMouseMove(button);
    EXPECT_EQ(OnGotFocus(button), ButtonReaction{StatePicture::Pressed});
    EXPECT_EQ(PointerLeft(button), ButtonReaction{StatePicture::Selected});
    EXPECT_EQ(OnLostFocus(button), ButtonReaction{StatePicture::Normal});
    EXPECT_EQ(OnLostFocus(button), kNothing);

    ButtonMachine hovered = EnabledButton();
    OnMouseMove(hovered);
    EXPECT_EQ(OnMouseUp(hovered, kLeftMouseButton, kHere), (ButtonReaction{StatePicture::Normal, true}));
    EXPECT_EQ(hovered.ButtonState, kStateHover);
    EXPECT_EQ(OnMouseMove(hovered), kNothing) << "Normal stays until the pointer leaves and comes back";
}

TEST(ButtonStates, SpaceHeldShowsPressedAndClicksOnReleaseEnterClicksAtOnce)
{
    ButtonMachine button = EnabledButton();
    OnGotFocus(button);
    EXPECT_EQ(OnSpaceDown(button), ButtonReaction{StatePicture::Pressed});
    EXPECT_EQ(OnSpaceDown(button), kNothing) << "the key's repeats";
    EXPECT_EQ(OnSpaceUp(button), (ButtonReaction{StatePicture::Selected, true}));
    EXPECT_EQ(OnSpaceUp(button), kNothing) << "a release without its press";
    OnMouseMove(button);
    OnSpaceDown(button);
    EXPECT_EQ(OnSpaceUp(button), (ButtonReaction{StatePicture::HighLightSelect, true})) << "the pointer over it";

    OnSpaceDown(button);
    OnLostFocus(button);
    EXPECT_EQ(OnSpaceUp(button), kNothing) << "the focus went while Space was held";
    EXPECT_EQ(OnEnterKey(button), (ButtonReaction{StatePicture::None, true}));

    ButtonMachine disabled = EnabledButton();
    disabled.EnabledFlag = kFalse;
    EXPECT_EQ(OnSpaceDown(disabled), kNothing);
    EXPECT_EQ(OnEnterKey(disabled), kNothing);
}

TEST(ButtonStates, BeforeInitializeAndWhileDisabled)
{
    ButtonMachine fresh;
    fresh.EnabledFlag = kTrue;
    EXPECT_EQ(OnMouseMove(fresh), kNothing);
    EXPECT_EQ(PointerLeft(fresh), kNothing);
    EXPECT_EQ(OnGotFocus(fresh), ButtonReaction{StatePicture::Selected});
    EXPECT_EQ(OnLostFocus(fresh), ButtonReaction{StatePicture::Normal});

    ButtonMachine disabled = EnabledButton();
    disabled.EnabledFlag = kFalse;
    EXPECT_EQ(OnMouseMove(disabled), kNothing);
    EXPECT_EQ(OnMouseDown(disabled, kLeftMouseButton), kNothing);
    EXPECT_EQ(OnMouseUp(disabled, kLeftMouseButton, kHere), kNothing);
    EXPECT_EQ(OnGotFocus(disabled), kNothing);
    EXPECT_EQ(PointerLeft(disabled), kNothing);
    EXPECT_EQ(disabled.ButtonState, kStateNormal);

    ButtonMachine oddlyTrue = EnabledButton();
    oddlyTrue.EnabledFlag = 1;  // true, but not exactly -1
    OnMouseMove(oddlyTrue);
    EXPECT_EQ(OnMouseUp(oddlyTrue, kLeftMouseButton, kHere), ButtonReaction{StatePicture::Normal});
}

TEST(ButtonStates, TheReleaseRowsStateByState)
{
    struct Row {
        std::uint8_t state;
        StatePicture leftPicture;
        bool click;
    };
    const Row rows[] = {{kStateUninitialised, StatePicture::None, true},
                        {kStateNormal, StatePicture::None, true},
                        {kStateHover, StatePicture::Normal, true},
                        {kStateFocused, StatePicture::None, false},
                        {kStateFocusedHover, StatePicture::HighLightSelect, true}};
    for (const Row& row : rows) {
        for (const std::int16_t mouseButton : {kLeftMouseButton, kRight, kMiddle}) {
            for (const PressOrigin origin : {kHere, PressOrigin::Elsewhere}) {
                ButtonMachine button;
                button.EnabledFlag = kTrue;
                button.ButtonState = row.state;
                button.MouseIsDown = kTrue;
                const ButtonReaction reaction = OnMouseUp(button, mouseButton, origin);
                const bool left = mouseButton == kLeftMouseButton;
                EXPECT_EQ(reaction.picture, left ? row.leftPicture : StatePicture::None) << int{row.state};
                // A release whose press began elsewhere is never a click.
                EXPECT_EQ(reaction.click, row.click && origin == kHere)
                    << int{row.state} << " button " << mouseButton << (origin == kHere ? "" : ", pressed elsewhere");
                EXPECT_EQ(button.MouseIsDown, left ? kFalse : kTrue) << "only the left release clears it";
                EXPECT_EQ(button.ButtonState, row.state) << "a release never changes the state";
            }
        }
    }
}

TEST(ButtonGradient, StateFourKeepsTheDirectionItCameFrom)
{
    ButtonMachine fromHover = EnabledButton();
    OnMouseMove(fromHover);
    UpdateGradientDirection(fromHover);
    OnGotFocus(fromHover);
    UpdateGradientDirection(fromHover);
    EXPECT_EQ(fromHover.GradientInverted, kTrue);

    ButtonMachine fromFocus = EnabledButton();
    OnGotFocus(fromFocus);
    UpdateGradientDirection(fromFocus);
    OnMouseMove(fromFocus);
    UpdateGradientDirection(fromFocus);
    EXPECT_EQ(fromFocus.ButtonState, kStateFocusedHover);
    EXPECT_EQ(fromFocus.GradientInverted, kFalse);
}

// WCAG's relative luminance of a 0x00BBGGRR colour.
double Luminance(std::uint32_t colour)
{
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    for (int channel = 0; channel < 3; ++channel) {
        const double c = ((colour >> (8 * channel)) & 0xFF) / 255.0;
        sum += weights[channel] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

TEST(ButtonGradient, TheDisabledCaptionReadsOnEveryPartOfTheFace)
{
    // The gradient's two ends and the Disable picture's inside, whatever the theme.
    for (const std::uint32_t face : {0x00FFFFFFu, 0x00D7C5C6u, 0x00EAF4F5u}) {
        const double ratio = (Luminance(face) + 0.05) / (Luminance(kDisabledCaptionColour) + 0.05);
        EXPECT_GE(ratio, 3.0) << std::hex << face;
    }
}

TEST(ButtonGradient, VerticesAndColoursFromTheirTexts)
{
    EXPECT_EQ(GradientColour("&HC6C5D7"), (GradientVertex{0, 0, 0xC600, 0xC500, 0xD700, 0})) << "lavender";
    EXPECT_FALSE(GradientColour("C6C5D7"));

    const auto normal = GradientVertices(false, 77.0f, 25.0f);
    EXPECT_EQ(normal[0], (GradientVertex{0, 0, 0xFF00, 0xFF00, 0xFF00, 0}));
    EXPECT_EQ(normal[1], (GradientVertex{76, 24, 0xC600, 0xC500, 0xD700, 0}));
    const auto inverted = GradientVertices(true, 41.5f, 21.0f);
    EXPECT_EQ(inverted[0].red, 0xC600);
    EXPECT_EQ(inverted[1].red, 0xFF00);
    EXPECT_EQ(inverted[1].x, 40) << "40.5 rounds to the even neighbour";
}

TEST(ButtonFrame, PiecesForTheDialogsButtons)
{
    const auto pieces = FramePieces(1155, 375);
    ASSERT_TRUE(pieces);
    EXPECT_EQ((*pieces)[0].destination, (TwipRect{1, 1, 60, 60}));
    EXPECT_EQ((*pieces)[1].source, (TwipRect{60, 1, 840, 60}));
    EXPECT_EQ((*pieces)[1].destination, (TwipRect{60, 1, 1035, 60}));
    EXPECT_EQ((*pieces)[2].destination, (TwipRect{1095, 1, 60, 60}));
    EXPECT_EQ((*pieces)[3].source, (TwipRect{900, 60, 60, 255}));
    EXPECT_EQ((*pieces)[3].destination, (TwipRect{1095, 60, 60, 255}));
    EXPECT_EQ((*pieces)[4].destination, (TwipRect{1095, 315, 60, 60}));
    EXPECT_EQ((*pieces)[5].source, (TwipRect{60, 315, 840, 60}));
    EXPECT_EQ((*pieces)[6].destination, (TwipRect{1, 315, 60, 60}));
    EXPECT_EQ((*pieces)[7].source, (TwipRect{1, 60, 60, 255}));
    EXPECT_EQ((*pieces)[7].destination, (TwipRect{1, 60, 60, 255}));

    // The sources in the pictures' own pixels: all inside the 64 x 25 picture,
    // the outer four pixels of each side, whatever the screen's scale.
    const PixelRect sources[] = {{0, 0, 4, 4},   {4, 0, 56, 4},  {60, 0, 4, 4}, {60, 4, 4, 17},
                                 {60, 21, 4, 4}, {4, 21, 56, 4}, {0, 21, 4, 4}, {0, 4, 4, 17}};
    for (std::size_t i = 0; i < pieces->size(); ++i) EXPECT_EQ(InPicturePixels((*pieces)[i].source), sources[i]) << i;

    EXPECT_FALSE(FramePieces(40000, 375)) << "W - 120 past 16 bits skips the step";
    EXPECT_FLOAT_EQ(CaptionTop(375, 195), 80.0f);
}

}  // namespace
