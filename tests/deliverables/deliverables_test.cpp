// The shipped programs as Windows sees them: 64-bit GUI programs that need no
// DLL beyond the system's, each with its version resource and manifest and
// icons whose every image is the one its group names, and the host with the
// name and icon the screen-saver list shows.
#include "pe_file.h"
#include "sorvane_version.h"
#include "win32_handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace {

std::filesystem::path binDir;

// Resource types and ids as the shell and the loader look them up.
const auto manifestType = MAKEINTRESOURCEW(24);   // RT_MANIFEST
const auto iconGroupType = MAKEINTRESOURCEW(14);  // RT_GROUP_ICON
const auto iconType = MAKEINTRESOURCEW(3);        // RT_ICON
const auto processManifestId = MAKEINTRESOURCEW(1);
const auto firstIconId = MAKEINTRESOURCEW(1);
constexpr UINT screenSaverNameId = 1;

// What each program imports: system DLLs alone, and of them only these. At
// load time only Known DLLs, which Windows never takes from the program's own
// folder (a Downloads folder, where anybody's file may lie); the others are
// delay-loaded, from the system folder, after the program has limited the
// search to it. The dialog's comdlg32, shell32 and ole32 are loaded by the
// dialog alone, so a run never holds them.
const std::map<std::wstring, std::set<std::string>> expectedImports = {
    {L"Sorvane.scr", {"gdi32.dll", "kernel32.dll", "msvcrt.dll", "user32.dll"}},
    {L"Sorvane.dll", {"gdi32.dll", "kernel32.dll", "msvcrt.dll", "user32.dll"}},
};
const std::map<std::wstring, std::set<std::string>> expectedDelayLoads = {
    {L"Sorvane.scr", {"msimg32.dll", "winmm.dll"}},
    {L"Sorvane.dll", {"glu32.dll", "opengl32.dll", "winmm.dll"}},
};
// Windows 10's Known DLLs (HKLM\SYSTEM\CurrentControlSet\Control\Session
// Manager\KnownDLLs), less those of WOW64 alone.
const std::set<std::string> knownDlls = {
    "advapi32.dll", "clbcatq.dll", "combase.dll",  "comdlg32.dll", "coml2.dll",    "difxapi.dll",
    "gdi32.dll",    "gdiplus.dll", "imagehlp.dll", "imm32.dll",    "kernel32.dll", "msctf.dll",
    "msvcrt.dll",   "normaliz.dll", "nsi.dll",     "ole32.dll",    "oleaut32.dll", "psapi.dll",
    "rpcrt4.dll",   "sechost.dll", "setupapi.dll", "shcore.dll",   "shell32.dll",  "shlwapi.dll",
    "user32.dll",   "wldap32.dll", "ws2_32.dll",
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::wstring Widen(const char* ascii)
{
    return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}

std::wstring VersionString(const std::filesystem::path& file, const wchar_t* name)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return {};
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0) return {};
    return std::wstring(static_cast<const wchar_t*>(value));
}

UniqueModule LoadAsResources(const std::filesystem::path& file)
{
    return UniqueModule(LoadLibraryExW(file.c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

std::span<const unsigned char> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    const HRSRC found = FindResourceW(module, name, type);
    if (!found) return {};
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    return bytes ? std::span(bytes, SizeofResource(module, found)) : std::span<const unsigned char>{};
}

std::string Manifest(const std::filesystem::path& file)
{
    const UniqueModule module = LoadAsResources(file);
    if (!module) return {};
    const auto text = ResourceBytes(module.get(), processManifestId, manifestType);
    return std::string(text.begin(), text.end());
}

// An icon group as stored: a header, then one entry per image, each naming
// its RT_ICON resource. Packed to 2 bytes, as the resource compiler writes it.
#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;  // 0 means 256
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD iconId;
};
#pragma pack(pop)

struct ImageSize {
    unsigned width = 0;
    unsigned height = 0;
    bool operator==(const ImageSize&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ImageSize& size)
{
    return out << size.width << 'x' << size.height;
}

// The groups' names, integer ids written "#N" as FindResource takes them.
std::vector<std::wstring> IconGroupNames(HMODULE module)
{
    std::vector<std::wstring> names;
    EnumResourceNamesW(
        module, iconGroupType,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            reinterpret_cast<std::vector<std::wstring>*>(found)->push_back(
                IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                     : std::wstring(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&names));
    return names;
}

std::vector<IconGroupEntry> IconGroupEntries(std::span<const unsigned char> group)
{
    IconGroupHeader header{};
    if (group.size() < sizeof header) return {};
    std::memcpy(&header, group.data(), sizeof header);
    const auto listed = group.subspan(sizeof header);
    const std::size_t count = std::min<std::size_t>(header.count, listed.size() / sizeof(IconGroupEntry));
    std::vector<IconGroupEntry> entries(count);
    std::memcpy(entries.data(), listed.data(), entries.size() * sizeof(IconGroupEntry));
    return entries;
}

std::uint32_t BigEndian32(const unsigned char* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | std::uint32_t{bytes[3]};
}

// An icon image is a PNG file or a DIB whose height counts its AND mask too.
std::optional<ImageSize> IconImageSize(std::span<const unsigned char> image)
{
    static constexpr unsigned char pngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr std::size_t pngWidthOffset = 16;  // past the signature, IHDR's length and tag
    if (image.size() >= pngWidthOffset + 8 &&
        std::memcmp(image.data(), pngSignature, sizeof pngSignature) == 0)
        return ImageSize{BigEndian32(&image[pngWidthOffset]), BigEndian32(&image[pngWidthOffset + 4])};
    BITMAPINFOHEADER header{};
    if (image.size() < sizeof header) return std::nullopt;
    std::memcpy(&header, image.data(), sizeof header);
    if (header.biSize < sizeof header || header.biWidth <= 0 || header.biHeight <= 0) return std::nullopt;
    return ImageSize{static_cast<unsigned>(header.biWidth), static_cast<unsigned>(header.biHeight) / 2};
}

ImageSize StatedSize(const IconGroupEntry& entry)
{
    constexpr unsigned fullSide = 256;  // too wide for the entry's byte
    return {entry.width ? entry.width : fullSide, entry.height ? entry.height : fullSide};
}

class ShippedProgram : public testing::TestWithParam<const wchar_t*> {
protected:
    std::filesystem::path File() const { return binDir / GetParam(); }
};

TEST_P(ShippedProgram, IsA64BitGuiProgramNotALibrary)
{
    const auto facts = ReadPeFacts(File());
    ASSERT_TRUE(facts) << "not a readable PE file";
    EXPECT_EQ(facts->machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(facts->optionalMagic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    EXPECT_EQ(facts->subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_TRUE(facts->characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
    EXPECT_FALSE(facts->characteristics & IMAGE_FILE_DLL) << "the renderer is a program";
}

TEST_P(ShippedProgram, ImportsExactlyItsSystemDlls)
{
    const auto facts = ReadPeFacts(File());
    ASSERT_TRUE(facts);
    std::set<std::string> imported, delayLoaded;
    for (const auto& dll : facts->importedDlls) imported.insert(Lower(dll));
    for (const auto& dll : facts->delayLoadedDlls) delayLoaded.insert(Lower(dll));
    EXPECT_EQ(imported, expectedImports.at(GetParam()));
    EXPECT_EQ(delayLoaded, expectedDelayLoads.at(GetParam()));
    for (const auto& dll : imported) EXPECT_TRUE(knownDlls.contains(dll)) << dll << " is not a Known DLL";
}

TEST_P(ShippedProgram, CarriesTheProductVersion)
{
    EXPECT_EQ(VersionString(File(), L"ProductName"), L"Sorvane");
    EXPECT_EQ(VersionString(File(), L"ProductVersion"), Widen(SORVANE_VERSION_TEXT));
    EXPECT_EQ(VersionString(File(), L"FileVersion"), Widen(SORVANE_VERSION_TEXT));
    EXPECT_EQ(VersionString(File(), L"LegalCopyright"), Widen(SORVANE_COPYRIGHT));
    EXPECT_FALSE(VersionString(File(), L"FileDescription").empty());
}

TEST_P(ShippedProgram, CarriesAnApplicationManifest)
{
    const std::string manifest = Manifest(File());
    EXPECT_NE(manifest.find("<assembly"), std::string::npos);
    EXPECT_NE(manifest.find("asInvoker"), std::string::npos);
}

// Unaware, a program is stretched as a bitmap on a scaled display: the
// renderer would not cover the screen, the dialog would blur.
TEST_P(ShippedProgram, DeclaresPerMonitorDpiAwareness)
{
    const std::string manifest = Manifest(File());
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2"), std::string::npos);
}

// Icon images are numbered per compiled resource script: two scripts that each
// hold an icon collide, and the linker keeps only one of the two images.
TEST_P(ShippedProgram, IconGroupsNameImagesOfTheSizesTheyState)
{
    const UniqueModule module = LoadAsResources(File());
    ASSERT_TRUE(module);
    for (const std::wstring& group : IconGroupNames(module.get())) {
        const auto entries = IconGroupEntries(ResourceBytes(module.get(), group.c_str(), iconGroupType));
        SCOPED_TRACE(testing::Message() << L"icon group " << group);
        EXPECT_FALSE(entries.empty()) << "lists no image";
        for (const IconGroupEntry& entry : entries) {
            SCOPED_TRACE(testing::Message() << "image " << entry.iconId);
            const auto image = ResourceBytes(module.get(), MAKEINTRESOURCEW(entry.iconId), iconType);
            ASSERT_FALSE(image.empty()) << "missing";
            EXPECT_EQ(image.size(), entry.bytesInResource);
            EXPECT_EQ(IconImageSize(image), StatedSize(entry));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, ShippedProgram,
                         testing::Values(L"Sorvane.scr", L"Sorvane.dll"));

TEST(Host, ListsTheProductNameAndIcon)
{
    const UniqueModule module = LoadAsResources(binDir / L"Sorvane.scr");
    ASSERT_TRUE(module);
    wchar_t name[64] = {};
    ASSERT_GT(LoadStringW(module.get(), screenSaverNameId, name, 64), 0);
    EXPECT_STREQ(name, L"Sorvane");
    EXPECT_TRUE(FindResourceW(module.get(), firstIconId, iconGroupType))
        << "no icon group 1";
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: deliverables_tests FOLDER_OF_THE_PROGRAMS\n";
        return 2;
    }
    binDir = argv[1];
    return RUN_ALL_TESTS();
}
