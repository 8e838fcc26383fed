#include "dib_layout.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

constexpr std::uint16_t kFileHeaderMagic = 0x4D42;  // "BM"
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kBitFieldMasksSize = 12;
constexpr std::size_t kCoreColourEntrySize = 3;
constexpr std::size_t kInfoColourEntrySize = 4;

// Little-endian reads at any alignment, refused past the end of the file.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Holds(std::size_t offset, std::size_t length) const
    {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    template <typename T>
    std::optional<T> At(std::size_t offset) const
    {
        if (!Holds(offset, sizeof(T))) return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            value |= std::uint64_t{bytes_[offset + i]} << (8 * i);
        return static_cast<T>(value);
    }

    std::size_t Size() const { return bytes_.size(); }
    const std::uint8_t* Data() const { return bytes_.data(); }

private:
    std::span<const std::uint8_t> bytes_;
};

bool IsPaletteBitCount(std::uint16_t bits) { return bits == 1 || bits == 4 || bits == 8; }

// A palette picture indexes every colour its bits can name; others have no table.
std::uint16_t ColourCountForBits(std::uint16_t bits)
{
    return IsPaletteBitCount(bits) ? static_cast<std::uint16_t>(1u << bits) : 0;
}

bool IsCoreBitCount(std::uint16_t bits) { return IsPaletteBitCount(bits) || bits == 24; }

bool IsInfoBitCount(std::uint16_t bits) { return IsCoreBitCount(bits) || bits == 16 || bits == 32; }

bool CompressionFitsBitCount(std::uint32_t compression, std::uint16_t bits)
{
    switch (compression) {
    case kCompressionRgb: return true;
    case kCompressionRle8: return bits == 8;
    case kCompressionRle4: return bits == 4;
    case kCompressionBitFields: return bits == 16 || bits == 32;
    default: return false;
    }
}

bool IsRunLength(std::uint32_t compression)
{
    return compression == kCompressionRle8 || compression == kCompressionRle4;
}

std::optional<DibHeader> ReadHeader(const Reader& file, std::size_t at)
{
    DibHeader header;
    // Unreadable is no size either kind has.
    header.size = file.At<std::uint32_t>(at).value_or(0);
    if (header.size == kCoreHeaderSize && file.Holds(at, kCoreHeaderSize)) {
        header.width = *file.At<std::uint16_t>(at + 4);
        header.height = *file.At<std::uint16_t>(at + 6);
        header.planes = *file.At<std::uint16_t>(at + 8);
        header.bitCount = *file.At<std::uint16_t>(at + 10);
        return header;
    }
    if (header.size == kInfoHeaderSize && file.Holds(at, kInfoHeaderSize)) {
        header.width = *file.At<std::int32_t>(at + 4);
        header.height = *file.At<std::int32_t>(at + 8);
        header.planes = *file.At<std::uint16_t>(at + 12);
        header.bitCount = *file.At<std::uint16_t>(at + 14);
        header.compression = *file.At<std::uint32_t>(at + 16);
        header.sizeImage = *file.At<std::uint32_t>(at + 20);
        header.xPelsPerMeter = *file.At<std::int32_t>(at + 24);
        header.yPelsPerMeter = *file.At<std::int32_t>(at + 28);
        header.clrUsed = *file.At<std::uint32_t>(at + 32);
        header.clrImportant = *file.At<std::uint32_t>(at + 36);
        return header;
    }
    return std::nullopt;
}

// Little-endian writes, the mirror of Reader::At.
template <typename T>
void Put(std::vector<std::uint8_t>& block, std::size_t at, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        block[at + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
}

// The BITMAPINFO for the conversion: an info header (from either kind), the
// three masks of a bit-field file, then `count` colours as 4-byte entries.
// Its colours-used field is always `count`, so the conversion reads exactly
// the entries the block holds; with 0 it would read the whole table of a
// palette picture.
std::vector<std::uint8_t> BuildInfoBlock(const Reader& file, const DibHeader& header,
                                         std::size_t tableOffset, std::size_t masksOffset,
                                         std::uint16_t count, std::uint32_t sizeImage)
{
    const bool core = header.size == kCoreHeaderSize;
    const bool masks = header.compression == kCompressionBitFields;
    const std::size_t tableAt = kInfoHeaderSize + (masks ? kBitFieldMasksSize : 0);
    // Never smaller than a BITMAPINFO with its one declared colour entry.
    std::vector<std::uint8_t> block(tableAt + kInfoColourEntrySize * (count > 0 ? count : 1u));

    Put<std::uint32_t>(block, 0, kInfoHeaderSize);
    Put<std::uint32_t>(block, 4, static_cast<std::uint32_t>(header.width));
    Put<std::uint32_t>(block, 8, static_cast<std::uint32_t>(header.height));
    Put<std::uint16_t>(block, 12, header.planes);
    Put<std::uint16_t>(block, 14, header.bitCount);
    Put<std::uint32_t>(block, 16, header.compression);
    Put<std::uint32_t>(block, 20, sizeImage);
    Put<std::uint32_t>(block, 24, static_cast<std::uint32_t>(core ? 0 : header.xPelsPerMeter));
    Put<std::uint32_t>(block, 28, static_cast<std::uint32_t>(core ? 0 : header.yPelsPerMeter));
    Put<std::uint32_t>(block, 32, count);
    Put<std::uint32_t>(block, 36, core ? count : header.clrImportant);
    if (masks) std::memcpy(&block[kInfoHeaderSize], file.Data() + masksOffset, kBitFieldMasksSize);

    const std::size_t entry = core ? kCoreColourEntrySize : kInfoColourEntrySize;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* from = file.Data() + tableOffset + i * entry;
        std::uint8_t* to = &block[tableAt + i * kInfoColourEntrySize];
        // Blue, green, red; a core entry has no fourth byte, which stays 0.
        std::memcpy(to, from, kCoreColourEntrySize);
        if (!core) to[kCoreColourEntrySize] = from[kCoreColourEntrySize];
    }
    return block;
}

}  // namespace

std::uint16_t DibColorCount(const DibHeader& header)
{
    if (header.size == kInfoHeaderSize && header.clrUsed != 0)
        return static_cast<std::uint16_t>(header.clrUsed & 0xFFFF);
    return ColourCountForBits(header.bitCount);
}

DibCheck CheckDib(std::span<const std::uint8_t> bytes)
{
    const Reader file(bytes);
    auto fail = [](DibFault fault) { return DibCheck{.fault = fault, .layout = {}}; };

    const bool hasFileHeader = file.At<std::uint16_t>(0) == kFileHeaderMagic;
    const std::size_t headerAt = hasFileHeader ? kFileHeaderSize : 0;
    const auto header = ReadHeader(file, headerAt);
    if (!header) return fail(DibFault::UnknownFormat);
    const bool core = header->size == kCoreHeaderSize;

    const bool knownBits = core ? IsCoreBitCount(header->bitCount) : IsInfoBitCount(header->bitCount);
    if (header->planes != 1 || !knownBits || !CompressionFitsBitCount(header->compression, header->bitCount))
        return fail(DibFault::UnknownFormat);

    const std::int64_t width = header->width;
    const std::int64_t rows = header->height < 0 ? -std::int64_t{header->height} : header->height;
    if (width <= 0 || rows == 0) return fail(DibFault::UnknownFormat);
    // Run-length data are always stored bottom-up.
    if (header->height < 0 && IsRunLength(header->compression)) return fail(DibFault::UnknownFormat);
    if (width > kMaxDibDimension || rows > kMaxDibDimension || width * rows > kMaxDibPixels)
        return fail(DibFault::OutOfMemory);

    // A palette picture needs its table; a direct-colour picture's table is
    // only a hint for palette displays, which the conversion never reads, so
    // it is handed none, whatever its size.
    const bool palette = header->bitCount <= 8;
    const std::uint16_t count = DibColorCount(*header);
    // Colours-used of 65536 (or any multiple) counts 0 in 16 bits: more
    // colours than any palette picture can index, like 257.
    if (palette && (count == 0 || count > ColourCountForBits(header->bitCount)))
        return fail(DibFault::UnknownFormat);

    const std::size_t masksAt = headerAt + header->size;
    const std::size_t masksSize = header->compression == kCompressionBitFields ? kBitFieldMasksSize : 0;
    const std::size_t headersEnd = masksAt + masksSize;
    if (!file.Holds(masksAt, masksSize)) return fail(DibFault::UnknownFormat);
    const std::size_t tableAt = headersEnd;
    const std::size_t tableSize = std::size_t{count} * (core ? kCoreColourEntrySize : kInfoColourEntrySize);
    // The table is read for a palette picture, and without a file header it
    // is what places the pixels.
    if ((palette || !hasFileHeader) && !file.Holds(tableAt, tableSize)) return fail(DibFault::UnknownFormat);

    std::size_t pixelAt = tableAt + tableSize;
    if (hasFileHeader) {
        // Pixels may start inside the table (a writer that stored fewer
        // colours than it declared), but not inside the headers.
        const auto offBits = file.At<std::uint32_t>(kPixelOffsetField);
        if (!offBits || *offBits < headersEnd) return fail(DibFault::ConversionError);
        pixelAt = *offBits;
    }
    if (pixelAt >= file.Size()) return fail(DibFault::ConversionError);
    const std::size_t available = file.Size() - pixelAt;

    // Whole-byte rows without alignment: the size a header may leave as 0.
    const std::uint64_t rowBytes = (std::uint64_t{header->bitCount} * static_cast<std::uint64_t>(width) + 7) / 8;
    const std::uint64_t packedSize = rowBytes * static_cast<std::uint64_t>(rows);
    std::uint32_t sizeImage = header->sizeImage;
    std::size_t pixelLength = 0;
    std::size_t storedPixelLength = 0;
    if (IsRunLength(header->compression)) {
        // The conversion reads as many bytes as the image size says; a size of
        // 0 means "the rest of the file", and a larger one than the file holds
        // is a truncated stream.
        if (sizeImage == 0) sizeImage = static_cast<std::uint32_t>(std::min<std::size_t>(available, UINT32_MAX));
        if (sizeImage > available) return fail(DibFault::ConversionError);
        pixelLength = storedPixelLength = sizeImage;
    } else {
        // Every row is read whole, its alignment padding included. A file that
        // ends right after the last pixel of its last row lacks only padding,
        // which the loader supplies.
        const std::uint64_t stride = (rowBytes + 3) / 4 * 4;
        const std::uint64_t needed = stride * static_cast<std::uint64_t>(rows);
        const std::uint64_t lastPixel = needed - stride + rowBytes;
        if (lastPixel > available) return fail(DibFault::ConversionError);
        pixelLength = static_cast<std::size_t>(needed);
        storedPixelLength = static_cast<std::size_t>(std::min<std::uint64_t>(needed, available));
        if (sizeImage == 0) sizeImage = static_cast<std::uint32_t>(packedSize);
    }

    return {.fault = DibFault::None,
            .layout = {.header = *header,
                       .infoBlock = BuildInfoBlock(file, *header, tableAt, masksAt, palette ? count : 0, sizeImage),
                       .pixelOffset = pixelAt,
                       .pixelLength = pixelLength,
                       .storedPixelLength = storedPixelLength,
                       .rows = static_cast<std::int32_t>(rows)}};
}
