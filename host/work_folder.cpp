#include "work_folder.h"

#include "ansi_text.h"
#include "saver_rules.h"
#include "shared_names.h"

#include <windows.h>

#include <string>

namespace {

// The facts IsPlainWorkEntry judges, from the handle itself: the entry that
// was opened, not what a path names by the time it is asked again.
bool IsPlainEntry(HANDLE handle, WorkEntryKind kind, const char* path)
{
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information)) return false;
    char finalPath[MAX_PATH + 8];
    const DWORD length = GetFinalPathNameByHandleA(handle, finalPath, sizeof finalPath,
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= sizeof finalPath) return false;
    WorkEntryFacts facts;
    facts.directory = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.reparsePoint = (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    facts.names = information.nNumberOfLinks;
    facts.finalPath = std::string_view(finalPath, length);
    return IsPlainWorkEntry(facts, kind, path, IsAnsiLeadByte);
}

}  // namespace

WorkFolder WorkFolder::Open()
{
    WorkFolder work;
    // The link itself, were the folder one, and no sharing of its deletion:
    // it stays this folder until the pictures are written.
    UniqueFile folder(CreateFileA(kWorkFolder, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr));
    if (folder && IsPlainEntry(folder.get(), WorkEntryKind::Folder, kWorkFolder)) work.folder_ = std::move(folder);
    return work;
}

bool WorkFolder::WriteFile(const char* path, std::span<const std::uint8_t> bytes) const
{
    if (!folder_ || bytes.empty()) return false;
    // Opened, not truncated, so that a link or a second name is left as it
    // was; replaced only once it is known to be the saver's own file.
    const UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file || !IsPlainEntry(file.get(), WorkEntryKind::File, path)) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && SetEndOfFile(file.get());
}
