#include "saver_rules.h"

#include "music_sources.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::size_t kExtensionLength = 3;

}  // namespace

MusicFileKind MusicFileKindOf(std::string_view file, LeadByteTest isLeadByte)
{
    // Three characters of one byte each: a two-byte character among them
    // makes the comparison fail, as it must.
    const std::string last =
        AsciiUpperText(file.substr(LastCharactersOffset(file, kExtensionLength, isLeadByte)), isLeadByte);
    if (last == "WAV") return MusicFileKind::Wav;
    if (last == "MP3") return MusicFileKind::Mp3;
    return MusicFileKind::Neither;
}

MusicPlan MusicPlanFor(std::int16_t category, std::string_view file, LeadByteTest isLeadByte)
{
    const MusicSource* source = MusicSourceOf(category);
    if (!source || source->music == SourceMusic::None) return MusicPlan::None;
    if (source->music == SourceMusic::Cd) return MusicPlan::Cd;
    switch (MusicFileKindOf(file, isLeadByte)) {
    case MusicFileKind::Wav: return MusicPlan::Wave;
    case MusicFileKind::Mp3: return MusicPlan::Mp3;
    case MusicFileKind::Neither: break;
    }
    return MusicPlan::None;
}

bool RendererWatch::RunIsOver(bool windowFound, bool processEnded, std::uint32_t msSinceStart)
{
    if (windowFound) {
        seen_ = true;
        return false;
    }
    return seen_ || processEnded || msSinceStart >= kRendererStartAllowanceMs;
}

bool MciTakesPath(std::string_view path, LeadByteTest isLeadByte)
{
    std::size_t characters = 0;
    for (std::size_t at = 0; at < path.size(); at += CharacterSize(path, at, isLeadByte)) ++characters;
    return characters < kMciPathLimit;
}

bool IsPlainWorkEntry(const WorkEntryFacts& facts, WorkEntryKind kind, std::string_view path,
                      LeadByteTest isLeadByte)
{
    constexpr std::string_view kLocalPathPrefix = "\\\\?\\";
    if (facts.directory != (kind == WorkEntryKind::Folder) || facts.reparsePoint) return false;
    if (kind == WorkEntryKind::File && facts.names != 1) return false;
    const std::string expected = std::string(kLocalPathPrefix) + std::string(path);
    return AsciiUpperText(facts.finalPath, isLeadByte) == AsciiUpperText(expected, isLeadByte);
}

std::vector<std::uint32_t> ThreadsBegunSince(std::span<const std::uint32_t> before,
                                             std::span<const std::uint32_t> now, std::uint32_t caller)
{
    std::vector<std::uint32_t> begun;
    for (const std::uint32_t thread : now)
        if (thread != caller && std::find(before.begin(), before.end(), thread) == before.end())
            begun.push_back(thread);
    return begun;
}

std::uint32_t NextSoundThreadsWaitMs(std::uint32_t waitedMs)
{
    if (waitedMs >= kSoundThreadsLimitMs) return 0;
    return std::min(kSoundThreadsQuietMs, kSoundThreadsLimitMs - waitedMs);
}
