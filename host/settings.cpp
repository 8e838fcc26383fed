#include "settings.h"

#include "ansi_text.h"
#include "file_access.h"

#include <windows.h>

#include <variant>

std::int16_t BgmCategory = 0;
std::int16_t BgmRepeat = 0;
std::string BgmFile;
std::string BgmFolder;
std::int16_t CdPollOk = 0;
std::int32_t LastApiResult = 0;
std::int16_t DialogCursorX = 0;
std::int16_t DialogCursorY = 0;

namespace {

constexpr DWORD kReadBufferSize = kSettingValueLength + 1;
constexpr std::size_t kWriteNameBufferSize = 128;

std::string programFolder;

// A name cut so that it fits its 128-byte buffer with the terminating NUL.
std::string FitName(const std::string& name) { return name.substr(0, kWriteNameBufferSize - 1); }

// One row per key of the settings file, in the order it is saved: the key
// and the global it fills. How a value is read (with its fallback) and
// written goes by the global's type, below.
struct SettingKey {
    const char* key;
    std::variant<std::int16_t*, std::string*> global;
};
const SettingKey kSettingKeys[] = {
    {kCategoryKey, &BgmCategory},
    {kRepeatKey, &BgmRepeat},
    {kFileKey, &BgmFile},
};

// A number keeps its value for text that is no number; a missing key reads
// as empty text, and so as 0.
void ReadInto(std::int16_t& global, const std::string& text) { global = NumberSettingFrom(text, global); }
void ReadInto(std::string& global, const std::string& text) { global = text; }
std::string TextOf(std::int16_t value) { return std::to_string(value); }
std::string TextOf(const std::string& value) { return value; }

}  // namespace

std::string ModulePath()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

const std::string& ProgramFolder()
{
    if (programFolder.empty()) programFolder = ProgramFolderOf(ModulePath(), IsAnsiLeadByte);
    return programFolder;
}

void SetProgramFolder(std::string folder) { programFolder = std::move(folder); }

std::string SettingsFilePath() { return JoinProgramPath(ProgramFolder(), kSettingsFileName); }

std::string RendererPath() { return JoinProgramPath(ProgramFolder(), kRendererFileName); }

std::string ReadIniString(const std::string& section, const std::string& key, const std::string& file)
{
    char buffer[kReadBufferSize] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, kReadBufferSize, file.c_str());
    return std::string(buffer);
}

bool WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& file)
{
    LastApiResult = WritePrivateProfileStringA(FitName(section).c_str(), FitName(key).c_str(), value.c_str(),
                                               file.c_str());
    return LastApiResult != 0;
}

std::optional<StoredMusicFile> LoadSettings()
{
    const std::string file = SettingsFilePath();
    for (const SettingKey& setting : kSettingKeys)
        std::visit([&](auto* global) { ReadInto(*global, ReadIniString(kSettingsSection, setting.key, file)); },
                   setting.global);

    std::optional<StoredMusicFile> unreachable;
    if (!BgmFile.empty() && !FileExists(BgmFile)) {
        unreachable = StoredMusicFile{BgmCategory, BgmFile};
        BgmFile.clear();
    }
    BgmCategory = CategoryForMusicFile(BgmCategory, !BgmFile.empty());

    BgmFolder = BgmFile.empty() ? ProgramFolder() : FolderOfPath(BgmFile, IsAnsiLeadByte);
    return unreachable;
}

bool SaveSettings()
{
    const std::string file = SettingsFilePath();
    for (const SettingKey& setting : kSettingKeys) {
        const std::string value = std::visit([](const auto* global) { return TextOf(*global); }, setting.global);
        if (!WriteIniString(kSettingsSection, setting.key, value, file)) return false;
    }
    return true;
}

bool FileExists(const std::string& path)
{
    const std::string tested(WithoutFinalBackslash(path, IsAnsiLeadByte));
    return !tested.empty() && CanOpenForReading(tested.c_str());
}
