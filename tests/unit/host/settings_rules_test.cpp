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

TEST(SettingsRules, FolderOfPathAndTheProgramFolder)
{
    const std::pair<const char*, const char*> folders[] = {{"C:\\Music\\a.mp3", "C:\\Music"},
                                                           {"C:\\a.mp3", "C:"},
                                                           {"D:a.mp3", "D:"},
                                                           {"a.mp3", ""},
                                                           {"C:\\Music\\", "C:\\Music"}};
    for (const auto& [path, folder] : folders) EXPECT_EQ(FolderOfPath(path), folder) << path;

    EXPECT_EQ(ProgramFolderOf("C:\\Sorvane.scr"), "C:\\") << "a drive's root keeps its backslash";
    EXPECT_EQ(ProgramFolderOf("C:\\Savers\\Sorvane.scr"), "C:\\Savers");
    EXPECT_EQ(JoinProgramPath("C:\\", "\\Sorvane.ini"), "C:\\\\Sorvane.ini");
}

}  // namespace
