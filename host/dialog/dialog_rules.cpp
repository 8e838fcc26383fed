#include "dialog_rules.h"

#include "music_sources.h"

#include <cmath>
#include <limits>

namespace {

// The rule's own constant, not pi: the last row comes out at |sin(3.142)|.
constexpr double kHalfTurn = 3.142;
constexpr double kGradientPeak = 220;
constexpr int kGradientLift = 30;
constexpr int kRepeatListLast = 30;

}  // namespace

std::vector<int> SineGradient(int height)
{
    std::vector<int> rows;
    if (height < 0) return rows;
    const double k = height / kHalfTurn;
    rows.reserve(static_cast<std::size_t>(height) + 1);
    for (int y = 0; y <= height; ++y) {
        // A surface of height 0 has one row, at the start of the curve.
        const double angle = k > 0 ? y / k : 0.0;
        rows.push_back(static_cast<int>(std::nearbyint(std::fabs(std::sin(angle) * kGradientPeak))));
    }
    return rows;
}

Rgb DialogGradientColour(int brightness) { return {brightness, brightness, brightness + kGradientLift}; }

Rgb BoxGradientColour(int brightness)
{
    const int grey = brightness + kGradientLift;
    return {grey, grey, grey};
}

ScreenRect DialogPlacement(int screenWidth, int screenHeight, int windowWidth, int windowHeight)
{
    const int left = (screenWidth - windowWidth) / 2;
    const int top = (screenHeight - windowHeight) / 3;
    return {left, top, left + windowWidth, top + windowHeight};
}

AnimationRects OpeningRects(int pointerX, int pointerY, const ScreenRect& window)
{
    return {{pointerX, pointerY, pointerX, pointerY}, window};
}

AnimationRects ClosingRects(int pointerX, int pointerY, const ScreenRect& window)
{
    return {window, {pointerX, pointerY, pointerX, pointerY}};
}

std::string RepeatText(std::int16_t repeat) { return repeat == 0 ? std::string() : std::to_string(repeat); }

std::vector<std::string> RepeatListItems()
{
    std::vector<std::string> items;
    for (std::int16_t number = 0; number <= kRepeatListLast; ++number) items.push_back(RepeatText(number));
    return items;
}

std::int16_t SavedRepeat(std::string_view text)
{
    const std::optional<double> number = DecimalNumber(text);
    if (!number) return 0;
    const double whole = std::nearbyint(*number);
    if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max()) return 0;
    return static_cast<std::int16_t>(whole);
}

std::wstring HalfWidthNumberText(std::wstring_view text)
{
    constexpr wchar_t kFullWidthZero = L'\uFF10', kFullWidthNine = L'\uFF19';
    constexpr wchar_t kFullWidthPlus = L'\uFF0B', kFullWidthMinus = L'\uFF0D', kFullWidthPoint = L'\uFF0E';
    constexpr wchar_t kIdeographicSpace = L'\u3000';
    std::wstring half(text);
    for (wchar_t& c : half) {
        if (c >= kFullWidthZero && c <= kFullWidthNine) c = static_cast<wchar_t>(L'0' + (c - kFullWidthZero));
        else if (c == kFullWidthPlus) c = L'+';
        else if (c == kFullWidthMinus) c = L'-';
        else if (c == kFullWidthPoint) c = L'.';
        else if (c == kIdeographicSpace) c = L' ';
    }
    return half;
}

std::int16_t SourceAfter(std::int16_t category, int steps)
{
    const MusicSource* source = MusicSourceOf(category);
    if (!source) return CategoryShownAt(steps >= 0 ? 0 : kMusicCategoryCount - 1);
    const int place = source->shownPlace + steps % kMusicCategoryCount + kMusicCategoryCount;
    return CategoryShownAt(place % kMusicCategoryCount);
}
