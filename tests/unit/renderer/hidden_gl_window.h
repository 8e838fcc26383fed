// A hidden window with an OpenGL context current on the test's thread, its
// back buffer the size and shape of the screen (4:3), for tests that draw
// with the renderer's own routines and read the pixels back.
#pragma once

#include "pixel_format.h"
#include "win32_handles.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>

#include <cstdint>

class HiddenGlWindow : public testing::Test {
protected:
    static constexpr int kWidth = 128;
    static constexpr int kHeight = 96;
    static constexpr int kColourBits = 32;

    struct Pixel {
        int r, g, b;
    };

    void SetUp() override
    {
        window.reset(CreateWindowExA(0, "STATIC", "GL test", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(window);
        dc = UniqueWindowDc(window.get(), GetDC(window.get()));
        ASSERT_TRUE(SetOpenGlPixelFormat(dc.get(), kColourBits));
        context.reset(wglCreateContext(dc.get()));
        ASSERT_TRUE(context);
        ASSERT_TRUE(wglMakeCurrent(dc.get(), context.get()));
        glViewport(0, 0, kWidth, kHeight);
    }

    // One pixel of the back buffer, counted from the bottom-left corner as GL
    // counts rows.
    static Pixel BackBufferPixel(int x, int y)
    {
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        std::uint8_t rgb[3] = {};
        glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return {rgb[0], rgb[1], rgb[2]};
    }

    static void ClearToGrey(int level)
    {
        const GLclampf grey = static_cast<GLclampf>(level) / 255.0f;
        glClearColor(grey, grey, grey, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    UniqueWindow window;
    UniqueWindowDc dc;
    UniqueGlContext context;
};
