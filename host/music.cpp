#include "music.h"

#include "ansi_text.h"
#include "boolean16.h"
#include "multimedia_platform.h"
#include "saver_rules.h"
#include "settings.h"

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <cstring>
#include <optional>
#include <string_view>

std::string LastMciAnswer;

namespace {

constexpr std::int32_t kEmptyCommandCode = -1;
// Without SND_FILENAME, as the sound is named; SND_NODEFAULT too, or a file
// it cannot play would loop the system's default sound for the whole run.
constexpr unsigned kLoopingSoundFlags = SND_ASYNC | SND_LOOP | SND_NODEFAULT;
// The device's answers are compared by their first seven characters.
constexpr std::size_t kModeLength = 7;

constexpr char kNoCommandText[] = "コマンド文字列が指定されていません";
constexpr char kNoErrorText[] = "Error (文字列が取れません)";
constexpr char kErrorPrefix[] = "Error:";
constexpr char kCdDevice[] = "cdaudio";
constexpr char kStoppedMode[] = "stopped";
constexpr char kPlayingMode[] = "playing";

// The answer buffers, with the capacities handed to the platform.
std::array<char, 255> CdModeBuffer;
std::array<char, 512> MciAnswerBuffer;
std::array<char, 256> MciErrorBuffer;
std::array<char, 30> Mp3ModeBuffer;

MultimediaPlatform& Platform() { return CurrentMultimediaPlatform(); }

// The answer up to its NUL, or to its first `length` characters.
template <std::size_t N>
std::string_view TextOf(const std::array<char, N>& buffer, std::size_t length = N)
{
    return std::string_view(buffer.data(), strnlen(buffer.data(), length));
}

std::uint32_t SendWithoutAnswer(const std::string& command)
{
    return Platform().SendString(command.c_str(), nullptr, 0);
}

bool ContainsErr(const std::string& text) { return AsciiUpperText(text, IsAnsiLeadByte).find("ERR") != std::string::npos; }

// The file's path as the open command takes it: as it is while short enough,
// else the system's short name for it (a file a few Japanese-named folders
// deep soon passes the limit); none when it has no short name that fits.
std::optional<std::string> MciPathOf(const std::string& path)
{
    if (MciTakesPath(path, IsAnsiLeadByte)) return path;
    std::optional<std::string> shortened = ShortAnsiPath(WideFromAnsi(path));
    if (!shortened || !MciTakesPath(*shortened, IsAnsiLeadByte)) return std::nullopt;
    return shortened;
}

}  // namespace

std::int32_t SendMciCommand(const std::string& command, std::string& answer)
{
    if (command.empty()) {
        answer = kNoCommandText;
        return kEmptyCommandCode;
    }
    MciAnswerBuffer.fill('\0');
    const auto code = static_cast<std::int32_t>(
        Platform().SendString(command.c_str(), MciAnswerBuffer.data(), MciAnswerBuffer.size()));
    LastApiResult = code;
    if (code != 0) {
        MciErrorBuffer.fill('\0');
        answer = Platform().ErrorText(static_cast<std::uint32_t>(code), MciErrorBuffer.data(), MciErrorBuffer.size())
                     ? std::string(TextOf(MciErrorBuffer))
                     : std::string(kNoErrorText);
        return code;
    }
    answer = TextOf(MciAnswerBuffer);
    return 0;
}

std::string QueryMci(const std::string& command)
{
    const std::int32_t code = SendMciCommand(command, LastMciAnswer);
    LastApiResult = code;
    if (code != 0) return kErrorPrefix + std::to_string(code);
    return LastMciAnswer;
}

std::int32_t PlayCdFromTo(const std::string& device, const std::string& start, const std::string& end)
{
    std::string command = "play " + device;
    if (!start.empty()) command += " from " + start;
    if (!end.empty()) command += " to " + end;
    return SendMciCommand(command, LastMciAnswer);
}

void OpenCdMusic()
{
    LastApiResult = static_cast<std::int32_t>(SendWithoutAnswer("open cdaudio"));
    LastApiResult = static_cast<std::int32_t>(SendWithoutAnswer("set cdaudio time format tmsf"));
}

void PollCdMusic()
{
    CdPollOk = kTrue;
    const std::string track = QueryMci("status cdaudio current track");
    if (ContainsErr(track) || ContainsErr(QueryMci("status cdaudio number of tracks"))) {
        CdPollOk = kFalse;
        return;
    }
    CdModeBuffer.fill('\0');
    LastApiResult = static_cast<std::int32_t>(
        Platform().SendString("status cdaudio mode", CdModeBuffer.data(), CdModeBuffer.size()));
    const bool stopped = TextOf(CdModeBuffer, kModeLength) == kStoppedMode;

    if (BgmRepeat != 0) {
        // A track answer that is not a number cannot be compared: the poll fails.
        const std::optional<double> trackNumber = DecimalNumber(track);
        if (!trackNumber) {
            CdPollOk = kFalse;
            return;
        }
        if (stopped || *trackNumber != BgmRepeat) {
            const std::string start = QueryMci("status cdaudio position track " + std::to_string(BgmRepeat));
            PlayCdFromTo(kCdDevice, start, "");
        }
    } else if (stopped) {
        PlayCdFromTo(kCdDevice, "", "");
    }
}

void CloseCdMusic()
{
    LastApiResult = static_cast<std::int32_t>(SendWithoutAnswer("stop cdaudio"));
    LastApiResult = static_cast<std::int32_t>(SendWithoutAnswer("close cdaudio"));
}

void OpenMp3Music()
{
    const std::optional<std::string> path = MciPathOf(BgmFile);
    // No name the open command takes: silent, as any unusable file.
    if (!path) return;
    if (SendWithoutAnswer("open \"" + *path + "\" type MPEGVideo Alias MP3Play") == 0)
        SendWithoutAnswer("play MP3Play");
}

bool IsMp3Playing()
{
    Mp3ModeBuffer.fill('\0');
    Platform().SendString("status MP3Play mode", Mp3ModeBuffer.data(), Mp3ModeBuffer.size());
    return TextOf(Mp3ModeBuffer, kModeLength) == kPlayingMode;
}

void RepeatMp3Music()
{
    if (IsMp3Playing()) return;
    SendWithoutAnswer("stop MP3Play");
    SendWithoutAnswer("play MP3Play from 0");
}

void CloseMp3Music()
{
    SendWithoutAnswer("stop MP3Play");
    SendWithoutAnswer("close MP3Play");
}

void PlayWaveMusic()
{
    if (Platform().WaveOutDeviceCount() == 0) return;
    LastApiResult = Platform().PlayWave(BgmFile.c_str(), kLoopingSoundFlags) ? 1 : 0;
}

void StopWaveMusic() { LastApiResult = Platform().PlayWave(nullptr, 0) ? 1 : 0; }
