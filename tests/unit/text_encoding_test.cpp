// The bytes that the settings file and the multimedia devices see come from
// narrow literals; they must be Shift-JIS whatever the build machine's locale.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

std::vector<unsigned char> BytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

TEST(NarrowLiterals, AreCompiledToCodePage932)
{
    // Kanji, half-width katakana and full-width forms, as the settings keys
    // and the font name use them.
    EXPECT_EQ(BytesOf("BGM区分"),
              (std::vector<unsigned char>{0x42, 0x47, 0x4D, 0x8B, 0xE6, 0x95, 0xAA}));
    EXPECT_EQ(BytesOf("BGMﾘﾋﾟｰﾄ"),
              (std::vector<unsigned char>{0x42, 0x47, 0x4D, 0xD8, 0xCB, 0xDF, 0xB0, 0xC4}));
    EXPECT_EQ(BytesOf("ＭＳ"), (std::vector<unsigned char>{0x82, 0x6C, 0x82, 0x72}));
}

TEST(WideLiterals, StayUtf16)
{
    constexpr std::wstring_view text = L"設定しました";
    ASSERT_EQ(text.size(), 6u);
    EXPECT_EQ(text[0], L'\u8A2D');
    EXPECT_EQ(text[5], L'\u305F');
}

}  // namespace

namespace {

// The test command runs each unit program once per locale; a run that silently
// fell back to another code page would prove nothing about the target system.
TEST(TestEnvironment, RunsInTheCodePageOfItsLocale)
{
    const char* locale = std::getenv("SORVANE_LOCALE");
    if (!locale) GTEST_SKIP() << "started outside the test command";
    const std::string_view name = locale;
    const UINT expected = name.starts_with("ja_JP") ? 932u : 1252u;
    EXPECT_EQ(GetACP(), expected) << "locale " << name;
}

}  // namespace
