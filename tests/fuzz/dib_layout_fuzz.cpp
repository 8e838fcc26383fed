// Any bytes at all: the checks never read outside them, and whatever they
// pass hands the conversion a block and pixel data at least as long as the
// conversion reads them, judged by the platform's rules, not by our own.
#include "dib_layout.h"

#include <cstdint>
#include <cstring>

namespace {

void Require(bool condition)
{
    if (!condition) __builtin_trap();
}

template <typename Field>
Field FieldAt(const std::vector<std::uint8_t>& block, std::size_t at)
{
    Field value;
    std::memcpy(&value, &block[at], sizeof value);
    return value;
}
const auto Field32 = FieldAt<std::uint32_t>;
const auto Field16 = FieldAt<std::uint16_t>;

// Colour entries the system's conversion reads from a BITMAPINFO, by its own
// rules rather than by what the loader meant: colours-used when it is not 0,
// else the whole table of a palette picture (2, 16 or 256 entries), else none.
std::size_t ColoursThePlatformReads(std::uint16_t bitCount, std::uint32_t coloursUsed)
{
    if (coloursUsed != 0) return coloursUsed;
    return bitCount <= 8 ? std::size_t{1} << bitCount : 0;
}

// Bytes of pixel data the conversion reads: every row with its padding, or
// the image size of a run-length stream.
std::uint64_t PixelBytesThePlatformReads(const std::vector<std::uint8_t>& block, std::uint32_t compression)
{
    if (compression == kCompressionRle8 || compression == kCompressionRle4) return Field32(block, 20);
    const auto width = std::uint64_t{Field32(block, 4)};
    const std::uint64_t bits = Field16(block, 14);
    const auto height = static_cast<std::int32_t>(Field32(block, 8));
    const std::uint64_t rows = height < 0 ? -std::int64_t{height} : height;
    return (bits * width + 31) / 32 * 4 * rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const DibCheck check = CheckDib({data, size});
    if (check.fault != DibFault::None) return 0;

    const DibLayout& layout = check.layout;
    Require(layout.rows > 0 && layout.rows <= kMaxDibDimension);
    Require(layout.header.width > 0 && layout.header.width <= kMaxDibDimension);

    // The info block holds every mask and colour the conversion will read.
    const auto& block = layout.infoBlock;
    Require(block.size() >= 44);
    Require(Field32(block, 0) == kInfoHeaderSize);
    const std::uint16_t bitCount = Field16(block, 14);
    const std::uint32_t compression = Field32(block, 16);
    const std::size_t masks = compression == kCompressionBitFields ? 12 : 0;
    Require(kInfoHeaderSize + masks + 4 * ColoursThePlatformReads(bitCount, Field32(block, 32)) <= block.size());

    // The pixel data handed over are as long as the conversion reads; the
    // part taken from the file lies inside it.
    Require(layout.pixelOffset < size);
    Require(layout.storedPixelLength <= layout.pixelLength);
    Require(layout.storedPixelLength <= size - layout.pixelOffset);
    Require(PixelBytesThePlatformReads(block, compression) <= layout.pixelLength);
    // Only the padding after the last row is ever supplied.
    if (layout.storedPixelLength < layout.pixelLength) {
        Require(compression != kCompressionRle8 && compression != kCompressionRle4);
        Require(layout.pixelLength - layout.storedPixelLength < 4);
    }
    return 0;
}
