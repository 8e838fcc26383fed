// Reads the headers and the import table of a PE file from its bytes, without
// loading it, so that a program can be inspected as it lies on disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct PeFacts {
    std::uint16_t machine = 0;
    std::uint16_t optionalMagic = 0;
    std::uint16_t subsystem = 0;
    std::uint16_t characteristics = 0;
    std::vector<std::string> importedDlls;      // as named in the file, bound at load time
    std::vector<std::string> delayLoadedDlls;   // loaded on first call
};

// Nothing when the file cannot be read or is not a well-formed PE file.
std::optional<PeFacts> ReadPeFacts(const std::filesystem::path& file);
