// Pictures reach the GL texture upright and whole at any width: the texture
// read back from a real context equals the picture.
#include "bitmap_writer.h"
#include "image.h"
#include "test_files.h"
#include "win32_handles.h"

#include <gtest/gtest.h>

namespace {

struct GlContextTraits {
    using Handle = HGLRC;
    static Handle None() noexcept { return nullptr; }
    static void Release(Handle h) noexcept
    {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(h);
    }
};

class HiddenGlWindow : public testing::Test {
protected:
    void SetUp() override
    {
        window.reset(CreateWindowExA(0, "STATIC", "texture test", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(window);
        dc = UniqueWindowDc(window.get(), GetDC(window.get()));
        PIXELFORMATDESCRIPTOR descriptor{};
        descriptor.nSize = sizeof descriptor;
        descriptor.nVersion = 1;
        descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        descriptor.cColorBits = 32;
        ASSERT_TRUE(SetPixelFormat(dc.get(), ChoosePixelFormat(dc.get(), &descriptor), &descriptor));
        context.reset(wglCreateContext(dc.get()));
        ASSERT_TRUE(context);
        ASSERT_TRUE(wglMakeCurrent(dc.get(), context.get()));
    }

    UniqueWindow window;
    UniqueWindowDc dc;
    UniqueHandle<GlContextTraits> context;
};

TEST_F(HiddenGlWindow, TextureHoldsThePictureAtEveryWidthAndRowOrder)
{
    const std::vector<Rgb> colours{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {250, 200, 40}, {9, 9, 9}};
    for (const int width : {1, 3, 5, 6, 512}) {
        for (const bool topDown : {false, true}) {
            const Picture picture = CornerPicture(width, 7, colours);
            BitmapFormat format;
            format.topDown = topDown;
            const std::string path = WriteTestFile("texture.bmp", EncodeBitmap(picture, format));
            GLuint name = 0;
            ASSERT_TRUE(LoadTexture(path.c_str(), &name, GL_REPEAT, GL_REPEAT));
            EXPECT_NE(name, 0u);

            std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * 7 * 3);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
            EXPECT_EQ(texels, BottomUpRgb(picture)) << "width " << width << (topDown ? " top-down" : "");
            glDeleteTextures(1, &name);
        }
    }
}

TEST_F(HiddenGlWindow, AFileThatCannotBeReadMakesNoTextureName)
{
    GLuint name = 77;
    EXPECT_FALSE(LoadTexture(MissingTestFile("no-texture.bmp").c_str(), &name, GL_REPEAT, GL_REPEAT));
    EXPECT_EQ(name, 77u);
}

}  // namespace
