#include "settings.h"

#include "ansi_text.h"
#include "file_access.h"

#include <windows.h>


std::int16_t BgmCategory = 0;
std::int16_t BgmRepeat = 0;
std::string BgmFile;
std::string BgmFolder;
std::int16_t CdPollOk = 0;
std::int32_t LastApiResult = 0;
std::int16_t DialogCursorX = 0;
std::int16_t DialogCursorY = 0;
std::optional<StoredMusicFile> UnreachableMusicFile;

namespace {

constexpr DWORD kReadBufferSize = kSettingValueLength + 1;
constexpr std::size_t kWriteNameBufferSize = 128;

std::string programFolder;

// A name cut so that it fits its 128-byte buffer with the terminating NUL.
std::string FitName(const std::string& name) { return name.substr(0, kWriteNameBufferSize - 1); }

void LoadNumber(const char* key, std::int16_t& global)
{
    global = NumberSettingFrom(ReadIniString(kSettingsSection, key, SettingsFilePath()), global);
}

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

void LoadSettings()
{
    LoadNumber(kCategoryKey, BgmCategory);
    LoadNumber(kRepeatKey, BgmRepeat);

    BgmFile = ReadIniString(kSettingsSection, kFileKey, SettingsFilePath());
    UnreachableMusicFile.reset();
    if (!BgmFile.empty() && !FileExists(BgmFile)) {
        UnreachableMusicFile = StoredMusicFile{BgmCategory, BgmFile};
        BgmFile.clear();
    }
    BgmCategory = CategoryForMusicFile(BgmCategory, !BgmFile.empty());

    BgmFolder = BgmFile.empty() ? ProgramFolder() : FolderOfPath(BgmFile, IsAnsiLeadByte);
}

bool FileExists(const std::string& path)
{
    const std::string tested(WithoutFinalBackslash(path, IsAnsiLeadByte));
    return !tested.empty() && CanOpenForReading(tested.c_str());
}
