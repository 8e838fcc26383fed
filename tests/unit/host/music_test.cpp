// The music module against a scripted multimedia device that records every
// command with the answer capacity it was given and answers as a CD drive,
// an MP3 alias or a failing device would.
#include "multimedia_platform.h"
#include "music.h"
#include "saver_rules.h"
#include "settings.h"
#include "sound_threads.h"
#include "win32_handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kNoDevice = 266;      // MCIERR_CANNOT_LOAD_DRIVER-like code
constexpr std::uint32_t kOutOfRange = 277;    // a position query for a track the disc lacks

struct Sent {
    std::string command;
    unsigned capacity;
    bool operator==(const Sent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Sent& sent)
{
    return out << '"' << sent.command << "\" (" << sent.capacity << ')';
}

class ScriptedDevice final : public MultimediaPlatform {
public:
    std::vector<Sent> sent;
    std::map<std::string, std::pair<std::uint32_t, std::string>> answers;  // command -> code, answer
    std::uint32_t unscriptedCode = 0;
    bool errorTextWorks = true;
    unsigned waveDevices = 1;
    bool playResult = true;
    std::vector<std::pair<std::optional<std::string>, unsigned>> sounds;

    std::uint32_t SendString(const char* command, char* answer, unsigned capacity) override
    {
        sent.push_back({command, capacity});
        const auto found = answers.find(command);
        if (found == answers.end()) return unscriptedCode;
        if (answer && capacity > 0) {
            const std::string& text = found->second.second;
            const std::size_t length = std::min<std::size_t>(text.size(), capacity - 1);
            std::memcpy(answer, text.data(), length);
            answer[length] = '\0';
        }
        return found->second.first;
    }
    bool ErrorText(std::uint32_t code, char* buffer, unsigned capacity) override
    {
        errorCapacity = capacity;
        if (!errorTextWorks) return false;
        std::snprintf(buffer, capacity, "device error %u", code);
        return true;
    }
    unsigned WaveOutDeviceCount() override { return waveDevices; }
    bool PlayWave(const char* sound, unsigned flags) override
    {
        sounds.emplace_back(sound ? std::optional<std::string>(sound) : std::nullopt, flags);
        return playResult;
    }

    // A drive playing `track` of a 12-track disc in `mode`.
    void ScriptCd(const std::string& track, const std::string& mode, const std::string& count = "12")
    {
        answers["status cdaudio current track"] = {0, track};
        answers["status cdaudio number of tracks"] = {0, count};
        answers["status cdaudio mode"] = {0, mode};
        for (int t = 1; t <= 12; ++t)
            answers["status cdaudio position track " + std::to_string(t)] = {0, std::to_string(t) + ":00:00:00"};
        // Any other track is not on the disc.
        unscriptedCode = kOutOfRange;
    }

    // Commands sent after the mode query of a poll.
    std::vector<Sent> AfterModeQuery() const
    {
        for (std::size_t i = 0; i < sent.size(); ++i)
            if (sent[i].command == "status cdaudio mode") return {sent.begin() + static_cast<long>(i) + 1, sent.end()};
        return {};
    }

    unsigned errorCapacity = 0;
};

class Music : public testing::Test {
protected:
    void SetUp() override
    {
        UseMultimediaPlatform(&device);
        BgmRepeat = 0;
        BgmFile.clear();
        CdPollOk = 0;
        LastApiResult = 12345;
        LastMciAnswer.clear();
    }
    void TearDown() override { UseMultimediaPlatform(nullptr); }

    ScriptedDevice device;
};

TEST_F(Music, SendMciCommandAnswersFailsAndRefusesTheEmptyCommand)
{
    std::string answer;
    EXPECT_EQ(SendMciCommand("", answer), -1);
    EXPECT_EQ(answer, "コマンド文字列が指定されていません");
    EXPECT_TRUE(device.sent.empty());
    EXPECT_EQ(LastApiResult, 12345);

    device.answers["status x"] = {0, "fine"};
    EXPECT_EQ(SendMciCommand("status x", answer), 0);
    EXPECT_EQ(answer, "fine");
    EXPECT_EQ(device.sent.back(), (Sent{"status x", 512}));
    EXPECT_EQ(LastApiResult, 0);

    device.answers["bad"] = {kOutOfRange, "ignored"};
    EXPECT_EQ(SendMciCommand("bad", answer), static_cast<std::int32_t>(kOutOfRange));
    EXPECT_EQ(answer, "device error 277");
    EXPECT_EQ(device.errorCapacity, 256u);
    EXPECT_EQ(LastApiResult, static_cast<std::int32_t>(kOutOfRange));

    device.errorTextWorks = false;
    EXPECT_EQ(SendMciCommand("bad", answer), static_cast<std::int32_t>(kOutOfRange));
    EXPECT_EQ(answer, "Error (文字列が取れません)");
}

TEST_F(Music, QueryMciGivesTheAnswerOrErrorAndTheCode)
{
    EXPECT_EQ(QueryMci(""), "Error:-1");
    EXPECT_EQ(LastMciAnswer, "コマンド文字列が指定されていません");
    device.answers["status cdaudio mode"] = {0, "playing"};
    EXPECT_EQ(QueryMci("status cdaudio mode"), "playing");
    device.answers["status cdaudio mode"] = {kNoDevice, ""};
    EXPECT_EQ(QueryMci("status cdaudio mode"), "Error:266");
    EXPECT_EQ(LastMciAnswer, "device error 266");
    EXPECT_EQ(LastApiResult, static_cast<std::int32_t>(kNoDevice));
}

TEST_F(Music, PlayCdFromToHasFourShapes)
{
    PlayCdFromTo("cdaudio", "", "");
    PlayCdFromTo("cdaudio", "3:00:00:00", "");
    PlayCdFromTo("cdaudio", "", "4:00:00:00");
    PlayCdFromTo("cdaudio", "3", "4");
    EXPECT_EQ(device.sent, (std::vector<Sent>{{"play cdaudio", 512},
                                              {"play cdaudio from 3:00:00:00", 512},
                                              {"play cdaudio to 4:00:00:00", 512},
                                              {"play cdaudio from 3 to 4", 512}}));
}

TEST_F(Music, OpeningAndClosingTheCdSendTheirCommandsWithoutAnswers)
{
    device.answers["set cdaudio time format tmsf"] = {kNoDevice, ""};
    OpenCdMusic();
    EXPECT_EQ(LastApiResult, static_cast<std::int32_t>(kNoDevice));
    CloseCdMusic();
    EXPECT_EQ(LastApiResult, 0);
    EXPECT_EQ(device.sent, (std::vector<Sent>{{"open cdaudio", 0},
                                              {"set cdaudio time format tmsf", 0},
                                              {"stop cdaudio", 0},
                                              {"close cdaudio", 0}}));
}

struct PollCase {
    std::int16_t repeat;
    const char* track;
    const char* mode;
    std::vector<std::string> expectedAfterMode;
};

class CdPoll : public Music, public testing::WithParamInterface<PollCase> {};

TEST_P(CdPoll, SendsOnlyWhatTheRepeatTrackAndModeCallFor)
{
    const PollCase& c = GetParam();
    BgmRepeat = c.repeat;
    device.ScriptCd(c.track, c.mode);
    PollCdMusic();
    EXPECT_EQ(CdPollOk, -1);
    std::vector<std::string> after;
    for (const Sent& sent : device.AfterModeQuery()) after.push_back(sent.command);
    EXPECT_EQ(after, c.expectedAfterMode);
    EXPECT_EQ(device.sent[0], (Sent{"status cdaudio current track", 512}));
    EXPECT_EQ(device.sent[1], (Sent{"status cdaudio number of tracks", 512}));
    EXPECT_EQ(device.sent[2], (Sent{"status cdaudio mode", 255}));
}

const std::vector<std::string> kNothing;
const std::vector<std::string> kPlainPlay{"play cdaudio"};
const std::vector<std::string> kRestartTrack3{"status cdaudio position track 3", "play cdaudio from 3:00:00:00"};
const std::vector<std::string> kMissingTrackMinus2{"status cdaudio position track -2",
                                                   "play cdaudio from Error:277"};

INSTANTIATE_TEST_SUITE_P(
    RepeatTrackByMode, CdPoll,
    testing::Values(PollCase{0, "3", "playing", kNothing}, PollCase{0, "3", "paused", kNothing},
                    PollCase{0, "3", "stopped", kPlainPlay},
                    PollCase{3, "3", "playing", kNothing}, PollCase{3, "3", "paused", kNothing},
                    PollCase{3, "3", "stopped", kRestartTrack3},
                    // The drive has moved on to the next track: back to the start of 3.
                    PollCase{3, "4", "playing", kRestartTrack3}, PollCase{3, "4", "paused", kRestartTrack3},
                    PollCase{3, "4", "stopped", kRestartTrack3},
                    PollCase{-2, "3", "playing", kMissingTrackMinus2},
                    PollCase{-2, "3", "paused", kMissingTrackMinus2},
                    PollCase{-2, "3", "stopped", kMissingTrackMinus2}));

TEST_F(Music, ARepeatTrackMissingFromTheDiscIsRetriedWithTheErrorAsStart)
{
    BgmRepeat = 20;
    device.ScriptCd("3", "playing");
    device.answers["status cdaudio position track 20"] = {kOutOfRange, ""};
    device.answers["play cdaudio from Error:277"] = {kOutOfRange, ""};
    PollCdMusic();
    EXPECT_EQ(CdPollOk, -1) << "the next poll tries again";
    EXPECT_EQ(device.sent.back().command, "play cdaudio from Error:277");
    EXPECT_EQ(LastApiResult, static_cast<std::int32_t>(kOutOfRange));
}

TEST_F(Music, AnErrAnswerInAnyLetterCaseEndsPolling)
{
    for (const char* answer : {"Error:266", "error", "xeRrx", "ERR"}) {
        device.sent.clear();
        device.ScriptCd(answer, "playing");
        PollCdMusic();
        EXPECT_EQ(CdPollOk, 0) << answer;
        EXPECT_EQ(device.sent.size(), 1u) << "nothing after the failing track query";

        device.sent.clear();
        device.ScriptCd("3", "playing", answer);
        PollCdMusic();
        EXPECT_EQ(CdPollOk, 0) << answer;
        EXPECT_EQ(device.sent.size(), 2u) << "nothing after the failing count query";
    }
}

TEST_F(Music, ATrackAnswerThatIsNoNumberFailsThePollOnlyWhenCompared)
{
    device.ScriptCd("three", "playing");
    BgmRepeat = 3;
    PollCdMusic();
    EXPECT_EQ(CdPollOk, 0);
    EXPECT_TRUE(device.AfterModeQuery().empty());

    BgmRepeat = 0;
    PollCdMusic();
    EXPECT_EQ(CdPollOk, -1);
}

TEST_F(Music, WithoutADriveTheFirstPollFailsAndNothingPlays)
{
    device.unscriptedCode = kNoDevice;
    OpenCdMusic();
    PollCdMusic();
    EXPECT_EQ(CdPollOk, 0);
    for (const Sent& sent : device.sent) EXPECT_EQ(sent.command.rfind("play", 0), std::string::npos);
}

TEST_F(Music, Mp3OpensQuotedPlaysAndLoopsUnlessPlaying)
{
    BgmFile = "C:\\My Music\\夜 空.mp3";
    OpenMp3Music();
    EXPECT_EQ(device.sent, (std::vector<Sent>{{"open \"C:\\My Music\\夜 空.mp3\" type MPEGVideo Alias MP3Play", 0},
                                              {"play MP3Play", 0}}));

    for (const auto& [mode, playing] : {std::pair{"playing", true}, {"playing...", true}, {"paused", false},
                                        {"stopped", false}, {"", false}, {"playin", false}}) {
        device.answers["status MP3Play mode"] = {0, mode};
        EXPECT_EQ(IsMp3Playing(), playing) << '"' << mode << '"';
        EXPECT_EQ(device.sent.back(), (Sent{"status MP3Play mode", 30}));
    }

    device.sent.clear();
    device.answers["status MP3Play mode"] = {0, "playing"};
    RepeatMp3Music();
    EXPECT_EQ(device.sent.size(), 1u);
    device.answers["status MP3Play mode"] = {0, "stopped"};
    RepeatMp3Music();
    CloseMp3Music();
    EXPECT_EQ(device.sent, (std::vector<Sent>{{"status MP3Play mode", 30},
                                              {"status MP3Play mode", 30},
                                              {"stop MP3Play", 0},
                                              {"play MP3Play from 0", 0},
                                              {"stop MP3Play", 0},
                                              {"close MP3Play", 0}}));
    EXPECT_EQ(LastApiResult, 12345) << "the MP3 routines keep no result";
}

TEST_F(Music, AnMp3ThatCannotBeOpenedIsNotPlayed)
{
    BgmFile = "C:\\missing.mp3";
    device.unscriptedCode = 275;
    OpenMp3Music();
    EXPECT_EQ(device.sent.size(), 1u);

    // A path too long for the open command, of a file that is not there to
    // have a short name: nothing is sent at all.
    device.sent.clear();
    BgmFile = "C:\\" + std::string(130, 'a') + ".mp3";
    OpenMp3Music();
    EXPECT_TRUE(device.sent.empty());
}

TEST_F(Music, WaveLoopsOnlyWithAnOutputDeviceAndStops)
{
    BgmFile = "C:\\My Music\\波.wav";
    device.waveDevices = 0;
    PlayWaveMusic();
    EXPECT_TRUE(device.sounds.empty());
    EXPECT_EQ(LastApiResult, 12345);

    device.waveDevices = 2;
    PlayWaveMusic();
    ASSERT_EQ(device.sounds.size(), 1u);
    EXPECT_EQ(device.sounds[0].first, BgmFile);
    EXPECT_EQ(device.sounds[0].second, 0x0Bu)
        << "SND_ASYNC | SND_LOOP | SND_NODEFAULT, no SND_FILENAME: a file it cannot play stays silent";
    EXPECT_EQ(LastApiResult, 1);

    device.playResult = false;
    StopWaveMusic();
    EXPECT_EQ(device.sounds[1].first, std::nullopt);
    EXPECT_EQ(device.sounds[1].second, 0u);
    EXPECT_EQ(LastApiResult, 0);
}

// A thread begun after the snapshot that takes a moment on its way out, as a
// stopped sound's own threads do; and one that serves on, which the wait
// gives up on after its quiet spell.
TEST(SoundThreads, TheStopWaitsForThreadsBegunSinceTheSoundStartedAndNotForEver)
{
    constexpr DWORD kOnItsWayOutMs = kSoundThreadsQuietMs / 5;
    const std::vector<std::uint32_t> before = ProcessThreadIds();
    ASSERT_FALSE(before.empty());
    const UniqueKernelHandle servesOn(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const auto leaving = [](void*) -> DWORD { return SleepEx(kOnItsWayOutMs, FALSE); };
    const auto serving = [](void* event) -> DWORD { return WaitForSingleObject(event, INFINITE); };
    const UniqueKernelHandle leaver(CreateThread(nullptr, 0, leaving, nullptr, 0, nullptr));
    const UniqueKernelHandle server(CreateThread(nullptr, 0, serving, servesOn.get(), 0, nullptr));
    ASSERT_TRUE(leaver && server);

    WaitForThreadsBegunSince(before);

    EXPECT_EQ(WaitForSingleObject(leaver.get(), 0), WAIT_OBJECT_0) << "the leaving thread was not waited for";
    EXPECT_EQ(WaitForSingleObject(server.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    SetEvent(servesOn.get());
    WaitForSingleObject(server.get(), INFINITE);
}

}  // namespace
