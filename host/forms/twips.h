// Twips and pixels: stored geometry is in twips (1/1440 inch), the screen in
// pixels at the display's logical resolution.
#pragma once

inline constexpr int kTwipsPerInch = 1440;

// The screen's logical dots per inch, read once: it does not change while a
// program runs.
int ScreenDpi();

// Twips per pixel of the screen (15 at 96 dots per inch).
int TwipsPerPixel();

// Twips as whole pixels, rounded down.
int ToPixels(double twips);
