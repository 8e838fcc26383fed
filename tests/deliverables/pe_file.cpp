#include "pe_file.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

using Bytes = std::vector<char>;

template <typename T>
std::optional<T> ReadAt(const Bytes& bytes, std::size_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return std::nullopt;
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

std::optional<std::size_t> FileOffsetOfRva(const Bytes& bytes, std::size_t sectionTable,
                                           unsigned sectionCount, std::uint32_t rva)
{
    for (unsigned i = 0; i < sectionCount; ++i) {
        auto section = ReadAt<IMAGE_SECTION_HEADER>(bytes, sectionTable + i * sizeof(IMAGE_SECTION_HEADER));
        if (!section) return std::nullopt;
        const std::uint32_t size = std::max(section->Misc.VirtualSize, section->SizeOfRawData);
        if (rva >= section->VirtualAddress && rva - section->VirtualAddress < size)
            return std::size_t{section->PointerToRawData} + (rva - section->VirtualAddress);
    }
    return std::nullopt;
}

std::optional<std::string> ReadCString(const Bytes& bytes, std::size_t offset)
{
    if (offset >= bytes.size()) return std::nullopt;
    const char* begin = bytes.data() + offset;
    const void* end = std::memchr(begin, 0, bytes.size() - offset);
    if (!end) return std::nullopt;
    return std::string(begin, static_cast<const char*>(end));
}

}  // namespace

std::optional<PeFacts> ReadPeFacts(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

    auto dos = ReadAt<IMAGE_DOS_HEADER>(bytes, 0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0) return std::nullopt;
    const auto ntOffset = static_cast<std::size_t>(dos->e_lfanew);
    auto nt = ReadAt<IMAGE_NT_HEADERS64>(bytes, ntOffset);
    if (!nt || nt->Signature != IMAGE_NT_SIGNATURE) return std::nullopt;

    PeFacts facts;
    facts.machine = nt->FileHeader.Machine;
    facts.characteristics = nt->FileHeader.Characteristics;
    facts.optionalMagic = nt->OptionalHeader.Magic;
    if (facts.optionalMagic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) return facts;
    facts.subsystem = nt->OptionalHeader.Subsystem;

    const std::size_t sectionTable = ntOffset + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                     nt->FileHeader.SizeOfOptionalHeader;
    const unsigned sectionCount = nt->FileHeader.NumberOfSections;
    const std::uint64_t imageBase = nt->OptionalHeader.ImageBase;
    // Both tables end with an entry whose name is 0. A delay-load entry names
    // its DLL by RVA, or by address in the old form without the RVA bit.
    const auto readNames = [&](const IMAGE_DATA_DIRECTORY& directory, std::size_t entrySize, auto nameRvaAt,
                               std::vector<std::string>& names) {
        if (directory.VirtualAddress == 0) return true;
        auto tableOffset = FileOffsetOfRva(bytes, sectionTable, sectionCount, directory.VirtualAddress);
        if (!tableOffset) return false;
        for (std::size_t at = *tableOffset;; at += entrySize) {
            const auto nameRva = nameRvaAt(at);
            if (!nameRva) return false;
            if (*nameRva == 0) return true;
            auto nameOffset = FileOffsetOfRva(bytes, sectionTable, sectionCount, *nameRva);
            auto name = nameOffset ? ReadCString(bytes, *nameOffset) : std::nullopt;
            if (!name) return false;
            names.push_back(*name);
        }
    };
    const auto importNameRva = [&](std::size_t at) -> std::optional<std::uint32_t> {
        auto descriptor = ReadAt<IMAGE_IMPORT_DESCRIPTOR>(bytes, at);
        return descriptor ? std::optional(descriptor->Name) : std::nullopt;
    };
    const auto delayNameRva = [&](std::size_t at) -> std::optional<std::uint32_t> {
        auto descriptor = ReadAt<IMAGE_DELAYLOAD_DESCRIPTOR>(bytes, at);
        if (!descriptor) return std::nullopt;
        const std::uint32_t name = descriptor->DllNameRVA;
        if (name == 0 || descriptor->Attributes.RvaBased) return name;
        return static_cast<std::uint32_t>(name - imageBase);
    };
    const auto* directories = nt->OptionalHeader.DataDirectory;
    if (!readNames(directories[IMAGE_DIRECTORY_ENTRY_IMPORT], sizeof(IMAGE_IMPORT_DESCRIPTOR), importNameRva,
                   facts.importedDlls) ||
        !readNames(directories[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT], sizeof(IMAGE_DELAYLOAD_DESCRIPTOR),
                   delayNameRva, facts.delayLoadedDlls))
        return std::nullopt;
    return facts;
}
