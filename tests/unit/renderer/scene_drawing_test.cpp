// The scene's GL recipe, drawn with the scene's own routines into a hidden
// window and read back as pixels: what one layer adds, how the fade overlay
// scales the frame, and where the picture lands on the 4:3 screen.
#include "bitmap_writer.h"
#include "hidden_gl_window.h"
#include "image.h"
#include "overlay.h"
#include "scene.h"
#include "shared_names.h"
#include "test_files.h"
#include "window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

namespace {

// Texel colours come back through 8-bit blending and filtering.
constexpr double kLevelTolerance = 1.0;
constexpr double kFilteredTolerance = 3.0;
constexpr double kLayerAlpha = 0.7;

class SceneDrawing : public HiddenGlWindow {
protected:
    void SetUp() override
    {
        HiddenGlWindow::SetUp();
        // As the window's set-up leaves it for the scene.
        glEnable(GL_TEXTURE_2D);
    }

    static GLuint TextureOf(const std::string& name, const Picture& picture)
    {
        GLuint texture = 0;
        EXPECT_TRUE(LoadTexture(WriteTestFile(name, EncodeBitmap(picture, {})).c_str(), &texture, GL_REPEAT,
                                GL_REPEAT));
        return texture;
    }
};

Picture Plain(int side, Rgb colour)
{
    return {side, side, std::vector<Rgb>(static_cast<std::size_t>(side * side), colour)};
}

TEST_F(SceneDrawing, ALayerAddsSevenTenthsOfItsPictureToWhatIsThere)
{
    const GLuint white = TextureOf("white.bmp", Plain(4, {255, 255, 255}));
    const UniqueGlList list = BuildStarList();
    for (const int background : {0, 51}) {
        ClearToGrey(background);
        SetUpLayers(white);
        DrawLayer(list.get(), 0.0f, 0.0f, 0.0f);
        const Pixel centre = BackBufferPixel(kWidth / 2, kHeight / 2);
        // Added, not mixed: over grey 51 a mix would give 178.5 + 0.3 x 51.
        EXPECT_NEAR(centre.r, kLayerAlpha * 255 + background, kLevelTolerance) << "over grey " << background;
        EXPECT_NEAR(centre.b, kLayerAlpha * 255 + background, kLevelTolerance) << "over grey " << background;
    }
}

TEST_F(SceneDrawing, FadeOverlayScalesEveryPixelByItsAlpha)
{
    const GLuint black = TextureOf("black.bmp", Plain(1, {0, 0, 0}));
    Overlay fade;
    SetUpFadeOverlay(fade, black);
    EXPECT_EQ(fade.color[3], 0.0f) << "the fade starts from black";
    for (const float alpha : {0.0f, 0.25f, 0.5f, 0.999f}) {
        ClearToGrey(128);
        fade.color[3] = alpha;
        fade.Draw();
        for (const auto& [x, y] : {std::pair{0, 0}, {kWidth / 2, kHeight / 2}, {kWidth - 1, kHeight - 1}})
            EXPECT_NEAR(BackBufferPixel(x, y).g, alpha * 128, kLevelTolerance) << "alpha " << alpha << " at " << x;
    }
}

// A picture whose red grows with s and green with t, texel by texel, so that
// a pixel's colour tells which point of the picture it shows.
Picture PositionPicture()
{
    constexpr int kSide = 64;
    Picture picture{kSide, kSide, {}};
    for (int row = 0; row < kSide; ++row)
        for (int column = 0; column < kSide; ++column)
            picture.pixels.push_back({static_cast<std::uint8_t>(4 * column + 2),
                                      static_cast<std::uint8_t>(4 * (kSide - 1 - row) + 2), 0});
    return picture;
}

// The level a layer of PositionPicture shows for texture coordinate `c`,
// repeated: 256 x its fraction, at 0.7.
double ShownLevel(double c) { return kLayerAlpha * 256.0 * (c - std::floor(c)); }

TEST_F(SceneDrawing, ALayerShowsThePictureAcrossTheWidthAndItsMiddleUpAndDown)
{
    // The orthographic window is 2 wide and 1.5 high; the quad is 2 x 2 with
    // texture coordinates from -0.02 to 1.02. Each pixel's centre therefore
    // shows s = -0.02 + 1.04 (x + 0.5) / width and, with y from the bottom,
    // t = -0.02 + 1.04 (0.25 + 1.5 (y + 0.5) / height) / 2.
    const auto sAt = [](int x) { return -0.02 + 1.04 * (x + 0.5) / kWidth; };
    const auto tAt = [](int y) { return -0.02 + 1.04 * (0.25 + 1.5 * (y + 0.5) / kHeight) / 2.0; };

    ClearToGrey(0);
    SetUpLayers(TextureOf("position.bmp", PositionPicture()));
    DrawLayer(BuildStarList().get(), 0.0f, 0.0f, 0.0f);

    // The first column shows the picture's right edge again and the last its
    // left edge (the band of repeat); the top and bottom rows show rows well
    // inside the picture, which overhangs the screen.
    for (const int x : {0, kWidth / 2, kWidth - 1})
        for (const int y : {0, kHeight / 2, kHeight - 1}) {
            const Pixel pixel = BackBufferPixel(x, y);
            EXPECT_NEAR(pixel.r, ShownLevel(sAt(x)), kFilteredTolerance) << "s at column " << x << ", row " << y;
            EXPECT_NEAR(pixel.g, ShownLevel(tAt(y)), kFilteredTolerance) << "t at column " << x << ", row " << y;
        }
}

// Textures and lists of the context that the names 1 to 16 stand for.
std::pair<int, int> LiveTexturesAndLists()
{
    std::pair<int, int> live{0, 0};
    for (GLuint name = 1; name <= 16; ++name) {
        live.first += glIsTexture(name) ? 1 : 0;
        live.second += glIsList(name) ? 1 : 0;
    }
    return live;
}

TEST_F(SceneDrawing, EndingTheSceneDeletesItsTexturesAndListsWhileTheContextLives)
{
    // The two pictures, where the host writes them.
    CreateDirectoryA(kWorkFolder, nullptr);
    for (const char* path : {kStarPicturePath, kOverlayPicturePath}) {
        const std::vector<std::uint8_t> file = EncodeBitmap(Plain(2, {40, 80, 120}), {});
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }

    Scene scene;
    StartScene(scene);
    EXPECT_EQ(LiveTexturesAndLists(), std::pair(2, 2)) << "two pictures; the star quad and the overlay";
    EndScene(scene);
    EXPECT_EQ(LiveTexturesAndLists(), std::pair(0, 0));
    EndScene(scene);  // again: nothing left to delete
}

}  // namespace

namespace {

struct ViewportOnScreen {
    int width, height;
    GLint expected[4];
};

TEST_F(SceneDrawing, TheViewportIsTheWholeSwitchedScreenOrTheCentredFourByThreeOfAnyOther)
{
    const ViewportOnScreen screens[] = {
        {1024, 768, {0, 0, 1024, 768}},
        {1920, 1080, {240, 0, 1440, 1080}},
        {1280, 1024, {0, 32, 1280, 960}},
    };
    for (const ViewportOnScreen& screen : screens) {
        ResizeViewport(screen.width, screen.height);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(viewport[i], screen.expected[i]) << screen.width << " x " << screen.height;
        // The perspective of a 4:3 picture: x scaled by 3/4 of y.
        GLfloat projection[16] = {};
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        EXPECT_NEAR(projection[0] / projection[5], 0.75, 1e-6);
    }
}

}  // namespace
