// What the preview form draws inside a pane, read back in this process: the
// picture at its natural size from the top-left corner, black elsewhere.
#include "client_pixels.h"
#include "forms/application.h"
#include "image.h"
#include "preview.h"
#include "shared_names.h"
#include "win32_handles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

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

        // The pane's pixels as the preview paints them.
        const ClientPixels shown(width, height, [preview](HDC dc) { PrintWindow(preview, dc, PW_CLIENTONLY); });
        int mismatches = 0, litOutside = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (x < pictureWidth && y < pictureHeight) {
                    // The decoded record is bottom-up.
                    const std::uint8_t* rgb =
                        &picture.image->pixels[3 * static_cast<std::size_t>((pictureHeight - 1 - y) * pictureWidth + x)];
                    mismatches += shown.At(x, y) != RGB(rgb[0], rgb[1], rgb[2]);
                } else {
                    litOutside += shown.At(x, y) != RGB(0, 0, 0);
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
