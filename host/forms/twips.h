// Twips and pixels: stored geometry is in twips (1/1440 inch), the screen in
// pixels at the display's logical resolution.
#pragma once

inline constexpr int kTwipsPerInch = 1440;

// The screen's logical dots per inch, read once: it does not change while a
// program runs.
int ScreenDpi();

// Twips as whole pixels at a resolution: the true ratio, rounded down once
// (1155 twips are 77 pixels at 96 dots per inch, 96 at 120, 115 at 144).
int TwipsToPixels(double twips, int dpi);

// The resolution the host's forms lay themselves out at: the screen's,
// unless a form has set that of the monitor it stands on.
int FormDpi();
void SetFormDpi(int dpi);

// Twips as whole pixels at the forms' resolution.
int ToPixels(double twips);
