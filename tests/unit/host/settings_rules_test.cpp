// The settings' rules on their own: how values read from the file become the
// globals, and the path helpers.
#include "settings_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsRules, ANumberSettingIsZeroWhenEmptyTheNumberWhenOneAndElseWhatItWas)
{
    struct Row {
        const char* text;
        std::int16_t current, expected;
    };
    const Row table[] = {
        {"", 5, 0},      {"3", 5, 3},         {" 2 ", 0, 2},     {"1.9", 0, 1},   {"-0.5", 0, -1},
        {"abc", 5, 5},   {"2x", 7, 7},        {"99999", 4, 4},   {"32767", 0, 32767},
        {"-32768", 0, -32768}, {"32768", 1, 1}, {"1e1", 0, 10}};
    for (const Row& row : table)
        EXPECT_EQ(NumberSettingFrom(row.text, row.current), row.expected) << '"' << row.text << "\" from " << row.current;
}

TEST(SettingsRules, OnlyTheMusicFileCategoryNeedsAUsableFile)
{
    struct Row {
        std::int16_t category;
        bool hasFile;
        std::int16_t expected;
    };
    const Row table[] = {{kMusicFileCategory, false, kNoMusicCategory},
                         {kMusicFileCategory, true, kMusicFileCategory},
                         {kCdCategory, false, kCdCategory},
                         {kNoMusicCategory, false, kNoMusicCategory},
                         {7, false, 7}};
    for (const Row& row : table)
        EXPECT_EQ(CategoryForMusicFile(row.category, row.hasFile), row.expected)
            << "category " << row.category << (row.hasFile ? " with" : " without") << " a file";
}

// In code page 932 the second byte of ソ, 表, 十 and 能 is 0x5C, the byte of
// '\\': only a rule that walks characters finds the right folder.
struct PathRow {
    const char* path;
    const char* expected;
};

TEST(SettingsRules, FolderOfPathWalksCharactersOfTheCodePage)
{
    const PathRow shiftJis[] = {{"C:\\Music\\a.mp3", "C:\\Music"}, {"C:\\a.mp3", "C:"},
                                {"D:a.mp3", "D:"},                   {"a.mp3", ""},
                                {"C:\\Music\\", "C:\\Music"},      {"C:\\表\\ソ.mp3", "C:\\表"},
                                {"C:\\音楽\\ソナタ.mp3", "C:\\音楽"},  {"D:\\十\\", "D:\\十"},
                                {"C:\\ソ", "C:"},                    {"ソ\\能.wav", "ソ"},
                                {"C:\\表\\十\\ソ能", "C:\\表\\十"}};
    for (const auto& [path, folder] : shiftJis) EXPECT_EQ(FolderOfPath(path, IsShiftJisLeadByte), folder) << path;

    // Code page 1252 has no lead bytes: its 0xE9 (é) is a character of its own.
    EXPECT_EQ(FolderOfPath("C:\\\xE9\\a.mp3", IsNoLeadByte), "C:\\\xE9");
    EXPECT_EQ(FolderOfPath("C:\\\xE9\\a.mp3", IsShiftJisLeadByte), "C:") << "the same bytes read as code page 932";
}

TEST(SettingsRules, TheProgramFolderAndTheFinalBackslashWalkCharacters)
{
    const PathRow programFolders[] = {{"C:\\Sorvane.scr", "C:\\"},     // a drive's root keeps its backslash
                                      {"C:\\Savers\\Sorvane.scr", "C:\\Savers"},
                                      {"C:\\ソ.scr", "C:\\"},
                                      {"C:\\表\\ソ.scr", "C:\\表"},
                                      {"E:\\十\\能\\Sorvane.scr", "E:\\十\\能"}};
    for (const auto& [path, folder] : programFolders)
        EXPECT_EQ(ProgramFolderOf(path, IsShiftJisLeadByte), folder) << path;
    EXPECT_EQ(JoinProgramPath("C:\\", "\\Sorvane.ini"), "C:\\\\Sorvane.ini");

    const PathRow tested[] = {{"C:\\a.mp3\\", "C:\\a.mp3"}, {"C:\\表", "C:\\表"},     {"C:\\表\\", "C:\\表"},
                              {"ソ", "ソ"},                  {"\\", ""},                 {"", ""}};
    for (const auto& [path, kept] : tested) EXPECT_EQ(WithoutFinalBackslash(path, IsShiftJisLeadByte), kept) << path;
}

}  // namespace
