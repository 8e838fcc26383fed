// The shipped programs as Windows sees them: 64-bit GUI programs that need no
// DLL beyond the system's, each with its version resource and manifest, and
// the host with the name and icon the screen-saver list shows.
#include "pe_file.h"
#include "sorvane_version.h"
#include "win32_handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>

namespace {

std::filesystem::path binDir;

// Resource types and ids as the shell and the loader look them up.
const auto manifestType = MAKEINTRESOURCEW(24);   // RT_MANIFEST
const auto iconGroupType = MAKEINTRESOURCEW(14);  // RT_GROUP_ICON
const auto processManifestId = MAKEINTRESOURCEW(1);
const auto firstIconId = MAKEINTRESOURCEW(1);
constexpr UINT screenSaverNameId = 1;

// DLLs that every 64-bit Windows has in its system folder.
const std::set<std::string> systemDlls = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",   "glu32.dll",
    "kernel32.dll", "msimg32.dll",  "msvcrt.dll",   "ole32.dll",   "oleaut32.dll",
    "opengl32.dll", "shell32.dll",  "user32.dll",   "version.dll", "winmm.dll"};

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

std::string Manifest(const std::filesystem::path& file)
{
    const UniqueModule module = LoadAsResources(file);
    if (!module) return {};
    HRSRC found = FindResourceW(module.get(), processManifestId, manifestType);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module.get(), found);
    const auto* text = static_cast<const char*>(LockResource(loaded));
    return text ? std::string(text, SizeofResource(module.get(), found)) : std::string{};
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

TEST_P(ShippedProgram, ImportsOnlySystemDlls)
{
    const auto facts = ReadPeFacts(File());
    ASSERT_TRUE(facts);
    std::wcout << GetParam() << L" imports:";
    for (const auto& dll : facts->importedDlls) {
        std::cout << ' ' << dll;
        EXPECT_TRUE(systemDlls.count(Lower(dll))) << dll << " is not a system DLL";
    }
    std::cout << '\n';
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
