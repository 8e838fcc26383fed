#include "test_files.h"

#include <windows.h>

#include <algorithm>
#include <fstream>

namespace {

std::string TestFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "sorvane-tests\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

std::string WriteTestFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const std::string path = TestFolder() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string MissingTestFile(const std::string& name)
{
    const std::string path = TestFolder() + name;
    DeleteFileA(path.c_str());
    return path;
}

std::string ReadTestFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}
