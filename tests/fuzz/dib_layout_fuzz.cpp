// Any bytes at all: the checks never read outside them, and whatever they
// pass hands the conversion only lengths that stay inside the file.
#include "dib_layout.h"

#include <cstdint>
#include <cstring>

namespace {

void Require(bool condition)
{
    if (!condition) __builtin_trap();
}

std::uint32_t Field32(const std::vector<std::uint8_t>& block, std::size_t at)
{
    std::uint32_t value;
    std::memcpy(&value, &block[at], 4);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const DibCheck check = CheckDib({data, size});
    if (check.fault != DibFault::None) return 0;

    const DibLayout& layout = check.layout;
    Require(layout.pixelOffset < size);
    Require(layout.pixelLength <= size - layout.pixelOffset);
    Require(layout.rows > 0 && layout.rows <= kMaxDibDimension);
    Require(layout.header.width > 0 && layout.header.width <= kMaxDibDimension);

    // The info block holds every colour its colours-used field announces.
    const auto& block = layout.infoBlock;
    Require(block.size() >= 44);
    const std::uint32_t compression = Field32(block, 16);
    const std::size_t masks = compression == kCompressionBitFields ? 12 : 0;
    Require(kInfoHeaderSize + masks + 4 * std::size_t{Field32(block, 32)} <= block.size());

    // Run-length streams are read for exactly the image size given.
    if (compression == kCompressionRle8 || compression == kCompressionRle4)
        Require(Field32(block, 20) == layout.pixelLength);
    return 0;
}
