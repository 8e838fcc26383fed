// The button's face read back from the real control: the frame of each state
// picture along every edge, the gradient in both directions, the middle left
// to the gradient, a stretched edge, the greyed caption and a hidden face.
#include "button/button.h"
#include "client_pixels.h"
#include "forms/form.h"
#include "win32_handles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
};

bool Near(Rgb a, Rgb b, int tolerance = 12)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::ostream& operator<<(std::ostream& out, Rgb c) { return out << '(' << c.r << ',' << c.g << ',' << c.b << ')'; }

// The control's pixels as it paints them.
class Face {
public:
    explicit Face(HWND window) : pixels(window), width(pixels.width), height(pixels.height) {}
    Rgb At(int x, int y) const
    {
        const COLORREF c = pixels.At(x, y);
        return {GetRValue(c), GetGValue(c), GetBValue(c)};
    }
    ClientPixels pixels;
    int width = 0, height = 0;
};

class DrawingForm : public Form {
public:
    DrawingForm() : Form(L"Sorvane button drawing test") {}
};

class ButtonFace : public testing::Test {
protected:
    void SetUp() override
    {
        form.Load();
        button.emplace(form);
        button->Move(0, 0, 1155, 375);  // 77 x 25 pixels
        button->Enabled();
        button->Initialize();
    }
    void TearDown() override
    {
        button.reset();
        form.Unload();
    }
    void Send(UINT message, WPARAM wParam = 0) { SendMessageW(button->Handle(), message, wParam, 0); }

    DrawingForm form;
    std::optional<Command> button;
};

constexpr Rgb kBorderBlue{0x00, 0x3C, 0x74};
constexpr Rgb kWhite{255, 255, 255}, kLavender{198, 197, 215};

TEST_F(ButtonFace, EachStateShowsItsFrameAlongEveryEdge)
{
    struct Expected {
        const char* name;
        Rgb leftBand, topBand, bottomBand, border;
    };
    const auto check = [this](const Expected& e) {
        const Face face(button->Handle());
        const int w = face.width, h = face.height;
        EXPECT_TRUE(Near(face.At(2, h / 2), e.leftBand)) << e.name << " left " << face.At(2, h / 2);
        EXPECT_TRUE(Near(face.At(w / 2, 2), e.topBand)) << e.name << " top " << face.At(w / 2, 2);
        // Row h - 3 is the second row of the bottom band.
        EXPECT_TRUE(Near(face.At(w / 2, h - 3), e.bottomBand)) << e.name << " bottom " << face.At(w / 2, h - 3);
        EXPECT_TRUE(Near(face.At(w / 2, 1), e.border)) << e.name << " border " << face.At(w / 2, 1);
        EXPECT_TRUE(Near(face.At(w - 2, h / 2), e.border)) << e.name << " right border " << face.At(w - 2, h / 2);
    };
    check({"Normal", {0xF4, 0xF4, 0xF0}, {0xF3, 0xF3, 0xEE}, {0xD6, 0xD0, 0xC5}, kBorderBlue});
    Send(WM_MOUSEMOVE);  // state 1 -> 2
    check({"HighLight", {0xFC, 0xCA, 0x69}, {0xFF, 0xF0, 0xCF}, {0xE5, 0x97, 0x00}, kBorderBlue});
    Send(WM_LBUTTONDOWN, MK_LBUTTON);  // Pressed, then the focus: state 4, Pressed again
    {
        const Face face(button->Handle());
        EXPECT_TRUE(Near(face.At(face.width / 2, 2), kBorderBlue)) << "Pressed moves the border inwards";
        EXPECT_TRUE(Near(face.At(face.width / 2, 0), {0xEC, 0xE9, 0xD8}));
    }
    Send(WM_LBUTTONUP);  // HighLightSelect: the same pixels as HighLight
    check({"HighLightSelect", {0xFC, 0xCA, 0x69}, {0xFF, 0xF0, 0xCF}, {0xE5, 0x97, 0x00}, kBorderBlue});
    Send(WM_KILLFOCUS);
    Send(WM_SETFOCUS);  // state 1 -> 3
    check({"Selected", {0xA9, 0xC5, 0xEF}, {0xCE, 0xE7, 0xFF}, {0x69, 0x82, 0xEE}, kBorderBlue});
    button->SetEnabled(0);
    check({"Disable", {0xF5, 0xF4, 0xEA}, {0xF5, 0xF4, 0xEA}, {0xF5, 0xF4, 0xEA}, {0xC9, 0xC7, 0xBA}});
}

TEST_F(ButtonFace, TheGradientRunsBothWaysAndFillsTheMiddle)
{
    const Face normal(button->Handle());
    const int x = normal.width / 2;
    EXPECT_TRUE(Near(normal.At(x, 4), kWhite, 16)) << normal.At(x, 4);
    EXPECT_TRUE(Near(normal.At(x, normal.height - 5), kLavender, 16)) << normal.At(x, normal.height - 5);

    Send(WM_MOUSEMOVE);  // state 2: inverted
    const Face hover(button->Handle());
    EXPECT_TRUE(Near(hover.At(x, 4), kLavender, 16)) << hover.At(x, 4);
    EXPECT_TRUE(Near(hover.At(x, hover.height - 5), kWhite, 16)) << hover.At(x, hover.height - 5);
}

TEST_F(ButtonFace, AWideButtonStretchesItsEdgesAndGreysADisabledCaption)
{
    button->SetCaption(L"Wide");
    button->Move(0, 0, 3000, 375);  // 200 pixels: the edges are stretched
    const Face wide(button->Handle());
    ASSERT_EQ(wide.width, 200);
    for (int x : {10, 100, 190}) EXPECT_TRUE(Near(wide.At(x, 1), kBorderBlue)) << x;
    EXPECT_TRUE(Near(wide.At(wide.width - 2, wide.height / 2), kBorderBlue));

    // A caption drawn black, then greyed: dark pixels in the middle row band
    // give way to grey ones.
    const auto darkest = [](const Face& face) {
        int best = 255 * 3;
        for (int y = 6; y < face.height - 6; ++y)
            for (int x = 60; x < 140; ++x) {
                const Rgb c = face.At(x, y);
                best = std::min(best, c.r + c.g + c.b);
            }
        return best;
    };
    EXPECT_LT(darkest(wide), 150) << "the caption is drawn in black";
    button->SetEnabled(0);
    const int greyed = darkest(Face(button->Handle()));
    EXPECT_GT(greyed, 150) << "a disabled caption is grey";
    EXPECT_LT(greyed, 600) << "but still drawn";
}

TEST_F(ButtonFace, AnInvisibleFaceKeepsItsCaption)
{
    button->SetCaption(L"Caption");
    button->SetVisible(0);
    const Face face(button->Handle());
    EXPECT_FALSE(Near(face.At(face.width / 2, 1), kBorderBlue)) << "no frame";
    int dark = 0;
    for (int y = 0; y < face.height; ++y)
        for (int x = 0; x < face.width; ++x) dark += face.At(x, y).r < 100;
    EXPECT_GT(dark, 5) << "the caption still shows";
}

}  // namespace
