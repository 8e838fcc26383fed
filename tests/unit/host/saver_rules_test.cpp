// The saver form's decisions: which music it starts and stops, and when the
// run is over.
#include "saver_rules.h"
#include "settings_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SaverRules, TheMusicPlanFollowsTheCategoryAndTheFilesLastThreeCharacters)
{
    struct Row {
        std::int16_t category;
        const char* file;
        MusicPlan plan;
    };
    const Row table[] = {
        {kNoMusicCategory, "C:\\a.mp3", MusicPlan::None},
        {kCdCategory, "", MusicPlan::Cd},
        {kCdCategory, "C:\\a.wav", MusicPlan::Cd},
        {kMusicFileCategory, "C:\\Music\\Tune.Mp3", MusicPlan::Mp3},
        {kMusicFileCategory, "C:\\song.MP3", MusicPlan::Mp3},
        {kMusicFileCategory, "C:\\bell.wav", MusicPlan::Wave},
        {kMusicFileCategory, "C:\\bell.WaV", MusicPlan::Wave},
        {kMusicFileCategory, "C:\\clip.mid", MusicPlan::None},
        {kMusicFileCategory, "mp3", MusicPlan::Mp3},  // the name alone decides
        {kMusicFileCategory, "p3", MusicPlan::None},
        {kMusicFileCategory, "", MusicPlan::None},
        {kMusicFileCategory, "C:\\音楽\\ソ.MP3", MusicPlan::Mp3},
        {kMusicFileCategory, "C:\\表.wav", MusicPlan::Wave},
        // The last three bytes spell WAV, but the last three characters are
        // ジ (83 57), a and v.
        {kMusicFileCategory, "C:\\曲ジav", MusicPlan::None},
        {kMusicFileCategory, "C:\\ソ", MusicPlan::None},
        {3, "C:\\a.mp3", MusicPlan::None},
        {-1, "C:\\a.wav", MusicPlan::None},
    };
    for (const Row& row : table)
        EXPECT_EQ(MusicPlanFor(row.category, row.file, IsShiftJisLeadByte), row.plan)
            << "category " << row.category << ", " << row.file;
    // In a single-byte code page 0x83 is a character of its own (ƒ).
    EXPECT_EQ(MusicPlanFor(kMusicFileCategory, "C:\\\x83Wav", IsNoLeadByte), MusicPlan::Wave);
}

TEST(SaverRules, TheOpenCommandTakesPathsOfFewerThan128Characters)
{
    const std::string ascii127 = "C:\\" + std::string(120, 'a') + ".mp3";
    EXPECT_TRUE(MciTakesPath(ascii127, IsShiftJisLeadByte));
    EXPECT_FALSE(MciTakesPath(ascii127 + "3", IsShiftJisLeadByte));
    // 127 characters in 248 bytes: a Japanese path fits where its bytes
    // would not.
    std::string japanese = "C:\\";
    for (int i = 0; i < 121; ++i) japanese += "音";
    japanese += ".mp";
    EXPECT_TRUE(MciTakesPath(japanese, IsShiftJisLeadByte));
    EXPECT_FALSE(MciTakesPath(japanese, IsNoLeadByte)) << "counted as bytes it is too long";
}

TEST(SaverRules, TheRunEndsWhenTheRendererWindowGoesOrNeverComes)
{
    struct Tick {
        bool windowFound, processEnded;
        std::uint32_t ms;
        bool over;
    };
    struct Scenario {
        const char* name;
        std::vector<Tick> ticks;
    };
    const Scenario scenarios[] = {
        {"seen, then gone", {{true, false, 500, false}, {true, false, 1000, false}, {false, false, 1500, true}}},
        {"slow to show", {{false, false, 500, false}, {false, false, 14500, false}, {true, false, 15000, false}}},
        {"never shows, process alive", {{false, false, 14999, false}, {false, false, kRendererStartAllowanceMs, true}}},
        {"never shows, process ended", {{false, false, 500, false}, {false, true, 1000, true}}},
        {"seen, gone, process alive", {{true, false, 500, false}, {false, false, 1000, true}}},
    };
    for (const Scenario& scenario : scenarios) {
        RendererWatch watch;
        for (const Tick& tick : scenario.ticks)
            EXPECT_EQ(watch.RunIsOver(tick.windowFound, tick.processEnded, tick.ms), tick.over)
                << scenario.name << " at " << tick.ms << " ms";
    }
}

TEST(SaverRules, TheStoppedSoundsThreadsAreWaitedForInQuietSpellsWithinALimit)
{
    const std::vector<std::uint32_t> before = {4, 8, 12};
    EXPECT_EQ(ThreadsBegunSince(before, std::vector<std::uint32_t>{8, 16, 4, 20, 24}, 24),
              (std::vector<std::uint32_t>{16, 20}))
        << "the caller's own thread is never waited for";
    EXPECT_TRUE(ThreadsBegunSince(before, std::vector<std::uint32_t>{12}, 24).empty());

    const std::pair<std::uint32_t, std::uint32_t> waits[] = {
        {0, kSoundThreadsQuietMs}, {1700, kSoundThreadsQuietMs}, {1900, 100}, {kSoundThreadsLimitMs, 0}, {5000, 0}};
    for (const auto& [waited, next] : waits) EXPECT_EQ(NextSoundThreadsWaitMs(waited), next) << waited << " ms waited";
}

}  // namespace

TEST(SaverRules, PicturesAreWrittenOnlyIntoTheWorkFoldersOwnEntriesNeverThroughALink)
{
    struct Row {
        const char* name;
        WorkEntryFacts facts;
        WorkEntryKind kind;
        const char* path;
        bool plain;
    };
    const Row rows[] = {
        {"a real folder", {true, false, 1, "\\\\?\\C:\\k_rova"}, WorkEntryKind::Folder, "C:\\k_rova", true},
        {"in another letter case", {true, false, 1, "\\\\?\\c:\\K_ROVA"}, WorkEntryKind::Folder, "C:\\k_rova", true},
        {"a junction opened as itself", {true, true, 1, "\\\\?\\C:\\k_rova"}, WorkEntryKind::Folder, "C:\\k_rova",
         false},
        {"a link that was followed", {true, false, 1, "\\\\?\\C:\\Users\\taro"}, WorkEntryKind::Folder,
         "C:\\k_rova", false},
        {"a file where the folder should be", {false, false, 1, "\\\\?\\C:\\k_rova"}, WorkEntryKind::Folder,
         "C:\\k_rova", false},
        {"the saver's own picture", {false, false, 1, "\\\\?\\C:\\k_rova\\Sorvane01.bmp"}, WorkEntryKind::File,
         "C:\\k_rova\\Sorvane01.bmp", true},
        {"a picture that is a link", {false, true, 1, "\\\\?\\C:\\k_rova\\Sorvane01.bmp"}, WorkEntryKind::File,
         "C:\\k_rova\\Sorvane01.bmp", false},
        {"a picture reached through a link", {false, false, 1, "\\\\?\\C:\\Users\\taro\\mail.pst"},
         WorkEntryKind::File, "C:\\k_rova\\Sorvane01.bmp", false},
        {"a second name of another file", {false, false, 2, "\\\\?\\C:\\k_rova\\Sorvane01.bmp"},
         WorkEntryKind::File, "C:\\k_rova\\Sorvane01.bmp", false},
        {"a folder where the picture should be", {true, false, 1, "\\\\?\\C:\\k_rova\\Sorvane01.bmp"},
         WorkEntryKind::File, "C:\\k_rova\\Sorvane01.bmp", false},
        {"no prefix of a local path", {false, false, 1, "C:\\k_rova\\Sorvane01.bmp"}, WorkEntryKind::File,
         "C:\\k_rova\\Sorvane01.bmp", false},
        // The second byte of ツ is 'c' and of イ 'C': folded byte by byte, a
        // folder of the one name would pass for the other.
        {"Japanese names compared by character", {true, false, 1, "\\\\?\\C:\\ツ"}, WorkEntryKind::Folder,
         "C:\\イ", false},
        {"the same Japanese name", {true, false, 1, "\\\\?\\C:\\表ソツ"}, WorkEntryKind::Folder, "C:\\表ソツ",
         true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsPlainWorkEntry(row.facts, row.kind, row.path, IsShiftJisLeadByte), row.plain) << row.name;
}
