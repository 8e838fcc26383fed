// The host's music settings, the file that keeps them beside the program, and
// the path helpers (module Sorvane_B).
#pragma once

#include "settings_rules.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Host-wide globals.
extern std::int16_t BgmCategory;  // 0 no music, 1 audio CD, 2 music file
extern std::int16_t BgmRepeat;    // CD track to repeat, 0 none
extern std::string BgmFile;       // MP3 or WAV path, empty when none or unusable
extern std::string BgmFolder;     // where the open-file dialog starts
extern std::int16_t CdPollOk;     // 16-bit boolean: 0 false, -1 true
extern std::int32_t LastApiResult;
extern std::int16_t DialogCursorX;
extern std::int16_t DialogCursorY;

// The settings file's section and keys, as the bytes the file holds (code page 932).
inline constexpr char kSettingsSection[] = "Section";
inline constexpr char kCategoryKey[] = "BGM区分";
inline constexpr char kRepeatKey[] = "BGMﾘﾋﾟｰﾄ";
inline constexpr char kFileKey[] = "BGMﾌｧｲﾙ";
inline constexpr char kSettingsFileName[] = "\\Sorvane.ini";
inline constexpr char kRendererFileName[] = "\\Sorvane.dll";

// The longest value, in bytes, that the settings file gives back whole: the
// reading buffer holds it and its terminating NUL.
inline constexpr std::size_t kSettingValueLength = 255;

// The host program's own path, as the system gives it (GetModuleFileNameA).
std::string ModulePath();
// The folder of the host program, set once at start (tests may set another).
const std::string& ProgramFolder();
void SetProgramFolder(std::string folder);
std::string SettingsFilePath();
std::string RendererPath();

// The key's value in the section of the profile file, or "" when any is missing.
std::string ReadIniString(const std::string& section, const std::string& key, const std::string& file);

// Stores the value, creating file, section or key as needed; the platform's
// result goes into LastApiResult too. True when the value was written.
bool WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& file);

// A music file the settings name that could not be reached when they were
// loaded (a USB stick taken out, a network share asleep): the run plays no
// music, but the settings dialog shows and keeps the stored choice.
struct StoredMusicFile {
    std::int16_t category = 0;
    std::string path;
};

// Fills the four music globals from the settings file, with every fallback;
// gives back the stored music file when it is out of reach.
std::optional<StoredMusicFile> LoadSettings();

// Writes every key from its global, in order, and stops at the first write
// that fails: true when all were written.
bool SaveSettings();

// True when the path names a file that can be opened for reading.
bool FileExists(const std::string& path);
