// Bitmap files to OpenGL textures: the file is mapped, checked, converted to
// 24 bits by the system's DIB section and repacked as tight RGB rows.
#pragma once

#include <windows.h>
#include <GL/gl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A decoded picture: `height` rows bottom-up (the first row in memory is the
// picture's bottom row), each `width` pixels of red, green, blue bytes.
struct ImageRecord {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

// The outcome of decoding a file without showing anything: the picture, or
// the message the loader shows for it.
struct DibDecoding {
    std::optional<ImageRecord> image;
    std::string message;  // ANSI text; empty with a picture
};

DibDecoding DecodeDibFile(const char* path);

// Decodes the file, showing the loader's message box when it cannot.
std::optional<ImageRecord> ReadDibFile(const char* path);

// Nothing, silently, for no path or a file that cannot be opened; else ReadDibFile.
std::optional<ImageRecord> LoadImageFile(const char* path);

// Loads the file into a new texture with linear filtering and the given wrap
// modes, leaving it bound. False, and no texture name made, when it cannot.
bool LoadTexture(const char* path, GLuint* textureName, GLint wrapS, GLint wrapT);
