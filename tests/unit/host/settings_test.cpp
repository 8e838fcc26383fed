// The settings file read and written for real through the platform's profile
// functions, with files the tests write byte by byte.
#include "settings.h"

#include "ansi_text.h"

#include "../renderer/test_files.h"
#include "settings_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

class SettingsFile : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string probe = WriteTestFile("settings-probe.txt", {});
        folder = FolderOfPath(probe, IsAnsiLeadByte);
        SetProgramFolder(folder);
        DeleteFileA(SettingsFilePath().c_str());
        existingMusic = WriteTestFile("music.mp3", Bytes("ID3"));
        BgmCategory = BgmRepeat = 7;
        BgmFile = BgmFolder = "stale";
    }
    void TearDown() override { DeleteFileA(SettingsFilePath().c_str()); }

    void WriteSettings(std::string_view category, std::string_view repeat, std::string_view file)
    {
        WriteSettingsFile(SettingsFilePath(), SettingsText(category, repeat, file));
    }

    std::string folder;
    std::string existingMusic;
};

TEST_F(SettingsFile, MissingFileGivesTheDefaultsAndIsNotCreated)
{
    LoadSettings();
    EXPECT_EQ(BgmCategory, 0);
    EXPECT_EQ(BgmRepeat, 0);
    EXPECT_EQ(BgmFile, "");
    EXPECT_EQ(BgmFolder, folder);
    EXPECT_EQ(GetFileAttributesA(SettingsFilePath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsFile, AMissingMusicFileDropsCategoryTwoButKeepsCategoryOne)
{
    WriteSettings("2", "0", folder + "\\gone.mp3");
    const std::optional<StoredMusicFile> unreachable = LoadSettings();
    ASSERT_TRUE(unreachable) << "the dialog is given the stored choice";
    EXPECT_EQ(unreachable->category, 2);
    EXPECT_EQ(unreachable->path, folder + "\\gone.mp3");
    EXPECT_EQ(BgmCategory, 0);
    EXPECT_EQ(BgmFile, "");
    EXPECT_EQ(BgmFolder, folder);

    WriteSettings("1", "3", folder + "\\gone.mp3");
    LoadSettings();
    EXPECT_EQ(BgmCategory, 1);
    EXPECT_EQ(BgmRepeat, 3);
    EXPECT_EQ(BgmFile, "");
}

TEST_F(SettingsFile, AnExistingMusicFileIsKeptWithItsFolder)
{
    WriteSettings("2", "0", existingMusic);
    EXPECT_FALSE(LoadSettings());
    EXPECT_EQ(BgmCategory, 2);
    EXPECT_EQ(BgmFile, existingMusic);
    EXPECT_EQ(BgmFolder, folder);
}

TEST_F(SettingsFile, NumbersAreReadLikeThePlatformReadsThem)
{
    const std::pair<const char*, std::int16_t> table[] = {
        {"abc", 0}, {"1.7", 1},   {"1.9", 1},  {"99999", 0}, {"  2  ", 2}, {"-0.5", -1},
        {"+2", 2},  {"1e1", 10}, {"2x", 0},   {"32767", 32767}, {"-32768", -32768}, {"32768", 0}, {"", 0}};
    for (const auto& [text, value] : table) {
        WriteSettings(text, text, "");
        BgmCategory = BgmRepeat = 0;  // as every process starts
        LoadSettings();
        EXPECT_EQ(BgmCategory, value == 2 ? 0 : value) << '"' << text << "\" (category 2 without a file is 0)";
        EXPECT_EQ(BgmRepeat, value) << '"' << text << '"';
    }
}

TEST_F(SettingsFile, AFolderIsNoMusicFile)
{
    WriteSettings("2", "0", folder + "\\");
    LoadSettings();
    EXPECT_EQ(BgmFile, "");
    EXPECT_EQ(BgmCategory, 0);
}

TEST_F(SettingsFile, OnlyTheFirst255BytesOfALongPathAreRead)
{
    // A file whose path is exactly the first 255 bytes of the 300-byte setting.
    const std::string prefix = folder + "\\";
    const std::string name255(255 - prefix.size(), 'n');
    const std::string path255 = WriteTestFile(name255, Bytes("RIFF"));
    ASSERT_EQ(path255.size(), 255u);
    WriteSettings("2", "0", path255 + std::string(45, 'x'));
    LoadSettings();
    EXPECT_EQ(BgmFile, path255);
    DeleteFileA(path255.c_str());
}

TEST_F(SettingsFile, SavedKeysReadBackByteExactInTheirOrder)
{
    const std::string path = SettingsFilePath();
    EXPECT_FALSE(WriteIniString(kSettingsSection, kCategoryKey, "2", "C:\\sorvane-no-folder\\Sorvane.ini"))
        << "a folder that is not there: the caller must learn the write failed";
    EXPECT_EQ(LastApiResult, 0);
    BgmCategory = 2;
    BgmRepeat = 12;
    BgmFile = existingMusic;
    EXPECT_TRUE(SaveSettings());
    EXPECT_NE(LastApiResult, 0);

    const std::string expected = std::string("[Section]\r\n") + "\x42\x47\x4D\x8B\xE6\x95\xAA=2\r\n" +
                                 "\x42\x47\x4D\xD8\xCB\xDF\xB0\xC4=12\r\n" + "\x42\x47\x4D\xCC\xA7\xB2\xD9=" +
                                 existingMusic + "\r\n";
    EXPECT_EQ(ReadTestFile(path), expected);
    EXPECT_EQ(ReadIniString(kSettingsSection, kRepeatKey, path), "12");
    EXPECT_EQ(ReadIniString(kSettingsSection, "missing", path), "");
    EXPECT_EQ(ReadIniString("Nowhere", kRepeatKey, path), "");

    SetProgramFolder("C:\\sorvane-no-folder");
    EXPECT_FALSE(SaveSettings()) << "the dialog must learn the save failed";
    SetProgramFolder(folder);
}

TEST(SettingsPaths, ARootFolderJoinsWithTwoBackslashesAndIsRead)
{
    SetProgramFolder("C:\\");
    EXPECT_EQ(SettingsFilePath(), "C:\\\\Sorvane.ini");
    EXPECT_EQ(RendererPath(), "C:\\\\Sorvane.dll");

    WriteSettingsFile("C:\\Sorvane.ini", "[Section]\r\nBGM\x8B\xE6\x95\xAA=1\r\n");
    LoadSettings();
    EXPECT_EQ(BgmCategory, 1);
    EXPECT_EQ(BgmFolder, "C:\\");
    DeleteFileA("C:\\Sorvane.ini");
}

TEST(SettingsPaths, FileExistsOpensTheFileForReading)
{
    const std::string file = WriteTestFile("exists.txt", Bytes("x"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(file + "\\")) << "one final backslash is dropped";
    EXPECT_FALSE(FileExists(FolderOfPath(file, IsAnsiLeadByte)));
    EXPECT_FALSE(FileExists(MissingTestFile("nothing.txt")));
    EXPECT_FALSE(FileExists(""));

    if (GetACP() == 932) {
        // 表 is 95 5C: its second byte is no final backslash.
        const std::string japanese = WriteTestFile("表", Bytes("x"));
        EXPECT_TRUE(FileExists(japanese));
        EXPECT_TRUE(FileExists(japanese + "\\"));
    }
}

}  // namespace
