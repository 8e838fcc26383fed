// The settings dialog's decisions: the sine gradients, where the dialog goes
// on the screen, the track box's texts and the number saved from it, what
// each music source marks and enables, and the animation's rectangles.
// Plain C++.
#pragma once

#include "screen_rect.h"
#include "settings_rules.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The brightness of every row 0..height (inclusive) of a surface of that
// height: |sin(y / (height / 3.142)) x 220|, rounded half to even.
std::vector<int> SineGradient(int height);

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
// The dialog's colour for a brightness: navy to lavender.
Rgb DialogGradientColour(int brightness);
// The music box's colour for a brightness: dark to light grey.
Rgb BoxGradientColour(int brightness);

// The dialog's window (frame included) of the given size: centred across the
// screen and a third of the free height down, rounding toward zero.
ScreenRect DialogPlacement(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

// The animation flies between the window and the point the pointer was at
// when the dialog was loaded: out of the point when opening, back when closing.
struct AnimationRects {
    ScreenRect from, to;
};
AnimationRects OpeningRects(int pointerX, int pointerY, const ScreenRect& window);
AnimationRects ClosingRects(int pointerX, int pointerY, const ScreenRect& window);

// A track number as the box shows it ("##"): no leading zeros, empty for 0.
std::string RepeatText(std::int16_t repeat);
// The box's list: the empty item, then 1 to 30.
std::vector<std::string> RepeatListItems();
// The track number saved for the box's text: a number rounded to the nearest
// whole number, halves to the even one; 0 for text that is no number and for
// a number outside the 16-bit range.
std::int16_t SavedRepeat(std::string_view text);
// The box's text with the full-width forms the Japanese input method types
// for a number (digits, sign, decimal point, ideographic space) in their
// ASCII forms, so that "１２" counts as 12. Anything else stays as it is.
std::wstring HalfWidthNumberText(std::wstring_view text);

// The sources in the order the dialog shows them, top to bottom. The source `steps` places on from `category` in that order, round the end
// as in a group of radio buttons; from no source, the first (or the last,
// going up).
std::int16_t SourceAfter(std::int16_t category, int steps);
