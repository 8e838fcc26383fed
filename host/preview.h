// The still preview inside the desktop's preview pane (form Sorvane_R).
#pragma once

#include <cstdint>

// Embeds the preview form in the window with the given handle.
void StartPreview(std::int32_t parentHandle);
