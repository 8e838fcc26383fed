// Twips and pixels: stored geometry is in twips (1/1440 inch), the screen in
// pixels at the display's logical resolution.
#pragma once

inline constexpr int kTwipsPerInch = 1440;

// A control's place and size as the form stores them.
struct TwipLayout {
    int left = 0, top = 0, width = 0, height = 0;
};

// The screen's logical dots per inch, read once: it does not change while a
// program runs.
int ScreenDpi();

// Twips as whole pixels at a resolution: the true ratio, rounded down once
// (1155 twips are 77 pixels at 96 dots per inch, 96 at 120, 115 at 144).
int TwipsToPixels(double twips, int dpi);

