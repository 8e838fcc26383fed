// The settings dialog's rules: the sine gradients, the placement, the track
// box's texts and the number saved from it, the sources' marks and enabling.
#include "dialog/dialog_rules.h"
#include "music_sources.h"

#include <gtest/gtest.h>

namespace {

TEST(SineGradient, FollowsTheSineRuleFromEdgeToEdgeOfTheDialog)
{
    // The dialog's client area is 243 pixels high: 244 rows, 0 to 243.
    const std::vector<int> rows = SineGradient(243);
    ASSERT_EQ(rows.size(), 244u);
    // Values worked out by hand from |sin(y / (243 / 3.142)) x 220|.
    const std::pair<std::size_t, int> byHand[] = {{0, 0}, {1, 3}, {20, 56}, {60, 154}, {121, 220}, {200, 116}, {242, 3}};
    for (const auto& [y, brightness] : byHand) EXPECT_EQ(rows[y], brightness) << "row " << y;
    // 3.142 is a little more than pi: the last row comes back to the first.
    EXPECT_EQ(rows[243], rows[0]);
    for (int b : rows) EXPECT_LE(b, 220);
}

TEST(SineGradient, FollowsTheSameRuleInTheMusicBox)
{
    const std::vector<int> rows = SineGradient(165);
    ASSERT_EQ(rows.size(), 166u);
    const std::pair<std::size_t, int> byHand[] = {{40, 152}, {82, 220}, {150, 62}, {164, 4}, {165, 0}};
    for (const auto& [y, brightness] : byHand) EXPECT_EQ(rows[y], brightness) << "row " << y;
}

TEST(SineGradient, OfAnEmptySurfaceIsOneDarkRowAndOfANegativeOneNothing)
{
    EXPECT_EQ(SineGradient(0), std::vector<int>{0});
    EXPECT_TRUE(SineGradient(-5).empty());
}

TEST(GradientColours, GoFromNavyToLavenderAndFromDarkToLightGrey)
{
    EXPECT_EQ(DialogGradientColour(0), (Rgb{0, 0, 30}));
    EXPECT_EQ(DialogGradientColour(220), (Rgb{220, 220, 250}));
    EXPECT_EQ(BoxGradientColour(0), (Rgb{30, 30, 30}));
    EXPECT_EQ(BoxGradientColour(220), (Rgb{250, 250, 250}));
}

TEST(DialogPlacement, CentresAcrossAndPutsAThirdOfTheFreeHeightAbove)
{
    EXPECT_EQ(DialogPlacement(1024, 768, 502, 272), (ScreenRect{261, 165, 763, 437}));
    // Odd free space rounds toward zero: 521 / 2 is 260, 497 / 3 is 165.
    EXPECT_EQ(DialogPlacement(1024, 768, 503, 271), (ScreenRect{260, 165, 763, 436}));
    // A screen smaller than the dialog: toward zero again, not down.
    EXPECT_EQ(DialogPlacement(400, 200, 503, 272), (ScreenRect{-51, -24, 452, 248}));
}

TEST(Animation, FliesOutOfThePointerAndBackIntoIt)
{
    const ScreenRect window{261, 165, 763, 437};
    const AnimationRects opening = OpeningRects(40, 700, window);
    EXPECT_EQ(opening.from, (ScreenRect{40, 700, 40, 700}));
    EXPECT_EQ(opening.to, window);
    const AnimationRects closing = ClosingRects(40, 700, window);
    EXPECT_EQ(closing.from, window);
    EXPECT_EQ(closing.to, (ScreenRect{40, 700, 40, 700}));
    // An unknown pointer position was stored as the screen's corner.
    EXPECT_EQ(OpeningRects(0, 0, window).from, (ScreenRect{0, 0, 0, 0}));
}

TEST(RepeatBox, ShowsNumbersWithoutLeadingZerosAndNothingForZero)
{
    EXPECT_EQ(RepeatText(0), "");
    EXPECT_EQ(RepeatText(7), "7");
    EXPECT_EQ(RepeatText(12), "12");
    EXPECT_EQ(RepeatText(-3), "-3");
    const std::vector<std::string> items = RepeatListItems();
    ASSERT_EQ(items.size(), 31u);
    EXPECT_EQ(items.front(), "");
    EXPECT_EQ(items[1], "1");
    EXPECT_EQ(items.back(), "30");
}

TEST(RepeatBox, SavesTheNearestWholeNumberHalvesToEvenAndZeroForAnythingElse)
{
    struct Case {
        const char* text;
        std::int16_t saved;
    };
    for (const Case& c : {Case{"7", 7}, Case{"12", 12}, Case{" 12 ", 12}, Case{"2.5", 2}, Case{"3.5", 4},
                          Case{"2.4", 2}, Case{"2.6", 3}, Case{"-2.5", -2}, Case{"1e1", 10}, Case{"", 0},
                          Case{"abc", 0}, Case{"7a", 0}, Case{"99999", 0}, Case{"32767", 32767},
                          Case{"32767.5", 0}, Case{"-32768.5", -32768}, Case{"-32769", 0}}) {
        EXPECT_EQ(SavedRepeat(c.text), c.saved) << '"' << c.text << '"';
    }
}

TEST(RepeatBox, FullWidthNumbersReadAsTheirAsciiForms)
{
    const std::pair<const wchar_t*, const wchar_t*> table[] = {
        {L"１２", L"12"},       {L"１2", L"12"},      {L"－３", L"-3"},    {L"＋７", L"+7"},
        {L"２．５", L"2.5"},    {L"　７　", L" 7 "},   {L"１ｅ１", L"1ｅ1"}, {L"十二", L"十二"}};
    for (const auto& [typed, read] : table) EXPECT_EQ(HalfWidthNumberText(typed), read);
}

TEST(Sources, EachEnablesOnlyItsOwnControlAndAnUnofferedCategoryHasNone)
{
    const auto enables = [](std::int16_t category) {
        const MusicSource* source = MusicSourceOf(category);
        return std::pair(source->enablesTrackBox, source->enablesFileButton);
    };
    EXPECT_EQ(enables(kNoMusicCategory), std::pair(false, false));
    EXPECT_EQ(enables(kCdCategory), std::pair(true, false));
    EXPECT_EQ(enables(kMusicFileCategory), std::pair(false, true));
    EXPECT_EQ(MusicSourceOf(3), nullptr);
    EXPECT_EQ(MusicSourceOf(-1), nullptr);
}

TEST(Sources, ArrowKeysStepThroughThemInTheOrderShownRoundTheEnds)
{
    struct Row {
        std::int16_t from;
        int steps;
        std::int16_t to;
    };
    // Shown top to bottom: 音楽CD (1), なし (0), MP3、WAV (2).
    const Row rows[] = {{kCdCategory, 1, kNoMusicCategory},  {kNoMusicCategory, 1, kMusicFileCategory}, {kMusicFileCategory, 1, kCdCategory},
                        {kNoMusicCategory, -1, kCdCategory}, {kCdCategory, -1, kMusicFileCategory},  {kMusicFileCategory, -1, kNoMusicCategory},
                        {kNoMusicCategory, 4, kMusicFileCategory}, {kNoMusicCategory, -4, kCdCategory},
                        // From no source: the first going down, the last going up.
                        {3, 1, kCdCategory}, {-1, -1, kMusicFileCategory}};
    for (const Row& row : rows) EXPECT_EQ(SourceAfter(row.from, row.steps), row.to) << row.from << " by " << row.steps;
}

}  // namespace
