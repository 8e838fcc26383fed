// Whether buffer swaps wait for the display's vertical retrace.
#pragma once

// Asks the driver to wait (true) or not (false), when it offers the
// wglSwapIntervalEXT entry point; a driver without it is left as it is.
// Needs a current GL context.
void SetSwapInterval(bool enable);
