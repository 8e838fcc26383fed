// A window's client area as the window paints it (WM_PRINTCLIENT into a
// 32-bit section), or what a drawing paints there, read pixel by pixel.
#pragma once

#include "win32_handles.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class ClientPixels {
public:
    explicit ClientPixels(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        Paint(client.right, client.bottom, [window](HDC dc) {
            SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        });
    }
    // What `draw` paints into a 32-bit section of this size.
    template <typename Draw>
    ClientPixels(int drawWidth, int drawHeight, Draw draw)
    {
        Paint(drawWidth, drawHeight, draw);
    }
    // The pixel as 0x00BBGGRR.
    COLORREF At(int x, int y) const
    {
        const std::size_t at = 4 * static_cast<std::size_t>(y * width + x);
        return RGB(pixels[at + 2], pixels[at + 1], pixels[at]);
    }
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;

private:
    template <typename Draw>
    void Paint(int paintWidth, int paintHeight, Draw draw)
    {
        width = paintWidth;
        height = paintHeight;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        const UniqueBitmap section(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        const SelectedObject selected(dc.get(), section.get());
        draw(dc.get());
        GdiFlush();
        const auto* p = static_cast<const std::uint8_t*>(bits);
        if (p) pixels.assign(p, p + 4 * width * height);
    }
};
