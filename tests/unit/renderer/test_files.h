// Temporary files for tests that hand paths to the programs' own loaders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes the bytes to a file of that name in the tests' temporary folder and
// gives its ANSI path.
std::string WriteTestFile(const std::string& name, const std::vector<std::uint8_t>& bytes);

// A path in the tests' temporary folder where no file is.
std::string MissingTestFile(const std::string& name);

// The bytes of a file as text (empty when there is none).
std::string ReadTestFile(const std::string& path);
