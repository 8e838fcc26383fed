// Where the parts of a device-independent bitmap file lie, and whether they
// can be handed to the system's conversion safely: every length it is given
// stays inside the file. Plain C++: no platform calls, so it also builds
// natively for fuzzing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Sizes of the two bitmap headers the loader reads.
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::size_t kFileHeaderSize = 14;

// Compression values of the info header.
inline constexpr std::uint32_t kCompressionRgb = 0;
inline constexpr std::uint32_t kCompressionRle8 = 1;
inline constexpr std::uint32_t kCompressionRle4 = 2;
inline constexpr std::uint32_t kCompressionBitFields = 3;

// Bounds that keep every size computation far from overflow and every
// allocation reasonable; the renderer's pictures are 512 x 512 and 1 x 1.
inline constexpr std::int64_t kMaxDibDimension = 16384;
inline constexpr std::int64_t kMaxDibPixels = std::int64_t{4096} * 4096;

// The bitmap header's fields, from either header kind.
struct DibHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows top-down
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kCompressionRgb;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

// Number of colour-table entries: by the bit count for a core header or an
// info header whose colours-used is 0, else colours-used cut to 16 bits.
std::uint16_t DibColorCount(const DibHeader& header);

// Which of the loader's messages a file that cannot be converted gets.
enum class DibFault {
    None,
    UnknownFormat,    // the headers or the colour table are not a bitmap we read
    ConversionError,  // the pixel data are not where, or not as long as, they must be
    OutOfMemory,      // the picture is larger than the loader takes
};

// What the system's conversion is handed for a file that passed the checks.
struct DibLayout {
    DibHeader header;  // as read from the file
    // BITMAPINFO: 40-byte header, masks, then every colour entry that the
    // conversion reads by its own rules (none for direct colour).
    std::vector<std::uint8_t> infoBlock;
    std::size_t pixelOffset = 0;  // from the start of the file
    std::size_t pixelLength = 0;  // bytes the conversion reads, rows with their padding
    // Of those, the bytes the file holds: fewer only when the file ends
    // without the padding of its last row, which the loader then supplies.
    std::size_t storedPixelLength = 0;
    std::int32_t rows = 0;  // |height|
};

struct DibCheck {
    DibFault fault = DibFault::None;
    DibLayout layout;  // meaningful only without a fault
};

// Reads and checks the whole file image; never reads outside `file`.
DibCheck CheckDib(std::span<const std::uint8_t> file);
