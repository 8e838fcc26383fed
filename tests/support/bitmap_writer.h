// Writes bitmap files for the loader's tests: every header kind, bit depth,
// compression and row order the loader reads, from a picture whose decoded
// pixels the tests know. Plain C++, shared by the tests under Wine and the
// native fuzzing seeds.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A picture, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

enum class HeaderKind { Core, Info };

struct BitmapFormat {
    HeaderKind header = HeaderKind::Info;
    bool fileHeader = true;
    std::uint16_t bitCount = 24;
    bool topDown = false;
    std::vector<Rgb> palette;       // for 1, 4 and 8 bits: every colour of the picture
    std::uint32_t colorsUsed = 0;   // info header's field; 0 means the full table
    // Bit fields (16 or 32 bits): red, green, blue masks.
    std::array<std::uint32_t, 3> masks{};
    bool bitFields = false;
    // The file ends right after the last pixel, without its row's padding.
    bool lastRowUnpadded = false;
};

// The file for the picture. Palettised depths look each colour up in the
// palette; 16 bits are 5-5-5 unless bit fields give other masks.
std::vector<std::uint8_t> EncodeBitmap(const Picture& picture, const BitmapFormat& format);

// A run-length file (RLE8 with 8 bits, RLE4 with 4 bits) with the given
// palette and stream, as written, bottom-up.
std::vector<std::uint8_t> EncodeRunLengthBitmap(int width, int height, std::uint16_t bitCount,
                                                const std::vector<Rgb>& palette,
                                                const std::vector<std::uint8_t>& stream,
                                                bool fileHeader = true, std::uint32_t sizeImage = 0);

// The loader's output for a picture: rows bottom-up, tight red-green-blue bytes.
std::vector<std::uint8_t> BottomUpRgb(const Picture& picture);

// A small picture with distinct colours in every corner, for orientation.
Picture CornerPicture(int width, int height, const std::vector<Rgb>& colours);
