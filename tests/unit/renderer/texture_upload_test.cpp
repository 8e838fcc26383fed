// Pictures reach the GL texture upright and whole at any width, complete and
// filtered as the scene draws them: the texture and its parameters read back
// from a real context.
#include "bitmap_writer.h"
#include "hidden_gl_window.h"
#include "image.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>

namespace {

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

// A texture whose minification filter wants mipmaps that were never made is
// incomplete, and an incomplete texture draws as plain white.
TEST_F(HiddenGlWindow, TextureIsCompleteLinearAndWrapsAsAsked)
{
    const std::string path =
        WriteTestFile("parameters.bmp", EncodeBitmap(CornerPicture(4, 4, {{255, 0, 0}, {0, 0, 255}}), {}));
    for (const auto& [wrapS, wrapT] : {std::pair{GL_REPEAT, GL_REPEAT}, {GL_CLAMP, GL_REPEAT}, {GL_REPEAT, GL_CLAMP}}) {
        GLuint name = 0;
        ASSERT_TRUE(LoadTexture(path.c_str(), &name, wrapS, wrapT));
        GLint value = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
        EXPECT_EQ(value, static_cast<GLint>(name)) << "the new texture stays bound";
        for (const auto& [parameter, expected] : {std::pair<GLenum, GLint>{GL_TEXTURE_MIN_FILTER, GL_LINEAR},
                                                  {GL_TEXTURE_MAG_FILTER, GL_LINEAR}, {GL_TEXTURE_WRAP_S, wrapS},
                                                  {GL_TEXTURE_WRAP_T, wrapT}}) {
            glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
            EXPECT_EQ(value, expected) << "parameter 0x" << std::hex << parameter;
        }
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &value);
        EXPECT_EQ(value, 3) << "three components";
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &value);
        EXPECT_EQ(value, 0) << "no mipmaps";
        glDeleteTextures(1, &name);
    }
}

TEST_F(HiddenGlWindow, AFileThatCannotBeReadMakesNoTextureName)
{
    GLuint name = 77;
    EXPECT_FALSE(LoadTexture(MissingTestFile("no-texture.bmp").c_str(), &name, GL_REPEAT, GL_REPEAT));
    EXPECT_EQ(name, 77u);
}

// Where the system refused the run the foreground, no window has the focus;
// a box of no owner would open beneath the topmost run, unseen, with the run
// waiting on it.
TEST_F(HiddenGlWindow, TheLoadersBoxWithNoWindowFocusedIsOwnedByTheWindowOfTheRun)
{
    SetFocus(nullptr);
    ASSERT_EQ(GetFocus(), nullptr);
    const DWORD thread = GetCurrentThreadId();
    std::atomic<HWND> owner = nullptr;
    std::atomic<bool> seen = false;
    std::thread closer([&] {
        constexpr ULONGLONG kGiveUpMs = 20000;  // LoadTexture has long returned without a box by then
        const ULONGLONG deadline = GetTickCount64() + kGiveUpMs;
        while (GetTickCount64() < deadline) {
            const HWND box = FindWindowW(nullptr, L"Error");
            if (box && GetWindowThreadProcessId(box, nullptr) == thread) {
                owner = GetWindow(box, GW_OWNER);
                seen = true;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            std::this_thread::yield();
        }
    });
    GLuint name = 0;
    EXPECT_FALSE(LoadTexture(WriteTestFile("not-a-bitmap.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'B', 'M', 'P'}).c_str(),
                             &name, GL_REPEAT, GL_REPEAT));
    closer.join();
    ASSERT_TRUE(seen) << "no box";
    EXPECT_EQ(owner.load(), window.get());
}

}  // namespace
