// The saver form's decisions. Plain C++.
#pragma once

#include "ansi_characters.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

enum class MusicFileKind { Neither, Wav, Mp3 };

// By the upper-cased last three characters of the file name alone.
MusicFileKind MusicFileKindOf(std::string_view file, LeadByteTest isLeadByte);

// The music the saver form starts when it loads and stops at the end.
enum class MusicPlan { None, Cd, Wave, Mp3 };

// What the category's source plays: the CD; a file by the WAV or MP3 player
// by its kind; nothing for any other source, category or file.
MusicPlan MusicPlanFor(std::int16_t category, std::string_view file, LeadByteTest isLeadByte);

// The multimedia interface's open command takes a file path of fewer
// characters than this; a longer one is refused, and the music is silent.
inline constexpr std::size_t kMciPathLimit = 128;

// Whether the open command takes this path, counted in characters of the
// code page (a Japanese name's characters are two bytes each).
bool MciTakesPath(std::string_view path, LeadByteTest isLeadByte);

// What the open handle of an entry of the work folder (the folder itself or
// one of its pictures) tells of it. The work folder lies where any account
// may make it, and may make it a link (a junction, a mount point) or its
// pictures links, to turn the saver's writes onto a file of the user's.
struct WorkEntryFacts {
    bool directory = false;
    bool reparsePoint = false;      // a link of any kind, opened as itself
    std::uint32_t names = 1;        // hard links: other names of one file
    std::string_view finalPath;     // the path the system resolved, "\\?\C:\..."
};

enum class WorkEntryKind { Folder, File };

// True when the saver may write there: an entry of the kind asked for, no
// link itself, the only name of what it holds, and found at its own path
// (letter case aside), not through a link on the way.
bool IsPlainWorkEntry(const WorkEntryFacts& facts, WorkEntryKind kind, std::string_view path,
                      LeadByteTest isLeadByte);

// A looping sound plays on threads of the system's own. Told to stop, they
// may still be on their way out, and a process that ends under them can
// fault in them (seen under Wine). So the stop waits for the threads begun
// since the sound started: until none has ended for a quiet spell (threads
// that serve the process to its end never do), within a limit.
inline constexpr std::uint32_t kSoundThreadsQuietMs = 250;
inline constexpr std::uint32_t kSoundThreadsLimitMs = 2000;

// The threads in `now` that are not in `before`, the caller's own left out.
std::vector<std::uint32_t> ThreadsBegunSince(std::span<const std::uint32_t> before,
                                             std::span<const std::uint32_t> now, std::uint32_t caller);

// How long the next wait for those threads may last once `waitedMs` have
// passed: the quiet spell, cut at the limit; 0 when the wait is over.
std::uint32_t NextSoundThreadsWaitMs(std::uint32_t waitedMs);

// How long a renderer may take to show its window before the run gives up on
// it, even while its process is still alive.
inline constexpr std::uint32_t kRendererStartAllowanceMs = 15000;

// Watches the renderer's window from the renderer watch timer's ticks. Once
// the window has been seen, the first tick without it ends the run. Before,
// a tick without it ends the run only when the renderer's process has ended
// or the start-up allowance has passed: a slow start is not the end.
class RendererWatch {
public:
    // True when the run is over.
    bool RunIsOver(bool windowFound, bool processEnded, std::uint32_t msSinceStart);

private:
    bool seen_ = false;
};
