// What the preview form draws inside a pane, read back in this process: the
// picture at its natural size from the top-left corner, black elsewhere.
#include "forms/application.h"
#include "image.h"
#include "preview.h"
#include "shared_names.h"
#include "win32_handles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The pane's pixels as RGB rows, top row first, as the preview paints them.
std::vector<std::uint8_t> PreviewPixels(HWND preview, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const UniqueBitmap section(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const SelectedObject selected(dc.get(), section.get());
    PrintWindow(preview, dc.get(), PW_CLIENTONLY);
    GdiFlush();
    std::vector<std::uint8_t> rgb;
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i, bgrx += 4) rgb.insert(rgb.end(), {bgrx[2], bgrx[1], bgrx[0]});
    return rgb;
}

TEST(Preview, ThePictureFillsAnExactPaneAndSitsTopLeftInALargerOne)
{
    const std::string asset = std::string(SORVANE_ASSETS_DIR) + "/preview.bmp";
    const DibDecoding picture = DecodeDibFile(asset.c_str());
    ASSERT_TRUE(picture.image) << picture.message;
    const int pictureWidth = picture.image->width, pictureHeight = picture.image->height;
    ASSERT_EQ(pictureWidth, 152);
    ASSERT_EQ(pictureHeight, 112);

    for (const auto& [width, height] : {std::pair{152, 112}, {200, 150}}) {
        UniqueWindow pane(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                          nullptr, GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(pane);
        StartPreview(static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(pane.get())));
        HWND preview = FindWindowExW(pane.get(), nullptr, nullptr, kPreviewFormCaption);
        ASSERT_TRUE(preview);
        EXPECT_TRUE(IsWindowVisible(preview));
        RECT rect{};
        GetClientRect(preview, &rect);
        EXPECT_EQ(rect.right, width);
        EXPECT_EQ(rect.bottom, height);

        const std::vector<std::uint8_t> shown = PreviewPixels(preview, width, height);
        int mismatches = 0, litOutside = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::size_t at = 3 * static_cast<std::size_t>(y * width + x);
                if (x < pictureWidth && y < pictureHeight) {
                    // The decoded record is bottom-up.
                    const std::size_t from =
                        3 * static_cast<std::size_t>((pictureHeight - 1 - y) * pictureWidth + x);
                    for (std::size_t c = 0; c < 3; ++c) mismatches += shown[at + c] != picture.image->pixels[from + c];
                } else {
                    litOutside += shown[at] | shown[at + 1] | shown[at + 2];
                }
            }
        EXPECT_EQ(mismatches, 0) << width << " x " << height;
        EXPECT_EQ(litOutside, 0) << "the strips right and below the picture are black";

        // The pane goes, and the preview with it: no form is left loaded.
        pane.reset();
        EXPECT_EQ(Application::LoadedFormCount(), 0);
    }
}

}  // namespace
