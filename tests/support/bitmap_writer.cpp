#include "bitmap_writer.h"

#include <algorithm>
#include <stdexcept>

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint8_t PaletteIndex(const std::vector<Rgb>& palette, Rgb colour)
{
    const auto found = std::find(palette.begin(), palette.end(), colour);
    if (found == palette.end()) throw std::invalid_argument("colour missing from the palette");
    return static_cast<std::uint8_t>(found - palette.begin());
}

std::uint32_t Scale(std::uint8_t value, std::uint32_t mask)
{
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1u)) ++shift;
    const std::uint32_t max = mask >> shift;
    return ((value * max + 127) / 255) << shift;
}

std::vector<std::uint8_t> Headers(HeaderKind kind, bool fileHeader, int width, int height,
                                  std::uint16_t bitCount, std::uint32_t compression,
                                  std::uint32_t sizeImage, const std::vector<Rgb>& palette,
                                  std::uint32_t colorsUsed, const std::array<std::uint32_t, 3>* masks,
                                  std::size_t pixelBytes)
{
    const bool core = kind == HeaderKind::Core;
    const std::size_t headerSize = core ? 12 : 40;
    const std::size_t tableSize = palette.size() * (core ? 3 : 4) + (masks ? 12 : 0);
    const std::size_t pixelOffset = (fileHeader ? 14 : 0) + headerSize + tableSize;

    std::vector<std::uint8_t> out;
    if (fileHeader) {
        out.push_back('B');
        out.push_back('M');
        Put32(out, static_cast<std::uint32_t>(pixelOffset + pixelBytes));
        Put32(out, 0);
        Put32(out, static_cast<std::uint32_t>(pixelOffset));
    }
    if (core) {
        Put32(out, 12);
        Put16(out, static_cast<std::uint16_t>(width));
        Put16(out, static_cast<std::uint16_t>(height));
        Put16(out, 1);
        Put16(out, bitCount);
    } else {
        Put32(out, 40);
        Put32(out, static_cast<std::uint32_t>(width));
        Put32(out, static_cast<std::uint32_t>(height));
        Put16(out, 1);
        Put16(out, bitCount);
        Put32(out, compression);
        Put32(out, sizeImage);
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, colorsUsed);
        Put32(out, 0);
    }
    if (masks)
        for (std::uint32_t mask : *masks) Put32(out, mask);
    for (const Rgb& colour : palette) {
        out.push_back(colour.b);
        out.push_back(colour.g);
        out.push_back(colour.r);
        if (!core) out.push_back(0);
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeBitmap(const Picture& picture, const BitmapFormat& format)
{
    const std::size_t stride = (static_cast<std::size_t>(picture.width) * format.bitCount + 31) / 32 * 4;
    std::vector<std::uint8_t> pixels;
    pixels.reserve(stride * static_cast<std::size_t>(picture.height));
    const std::array<std::uint32_t, 3> defaultMasks16{0x7C00, 0x03E0, 0x001F};
    const auto& masks = format.bitFields ? format.masks : defaultMasks16;

    for (int row = 0; row < picture.height; ++row) {
        const int y = format.topDown ? row : picture.height - 1 - row;
        std::vector<std::uint8_t> line;
        std::uint32_t bitBuffer = 0;
        int bitsHeld = 0;
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c = picture.At(x, y);
            switch (format.bitCount) {
            case 1:
            case 4:
            case 8:
                bitBuffer = (bitBuffer << format.bitCount) | PaletteIndex(format.palette, c);
                bitsHeld += format.bitCount;
                if (bitsHeld == 8) {
                    line.push_back(static_cast<std::uint8_t>(bitBuffer));
                    bitBuffer = 0;
                    bitsHeld = 0;
                }
                break;
            case 16: {
                const std::uint32_t v = Scale(c.r, masks[0]) | Scale(c.g, masks[1]) | Scale(c.b, masks[2]);
                Put16(line, static_cast<std::uint16_t>(v));
                break;
            }
            case 24:
                line.push_back(c.b);
                line.push_back(c.g);
                line.push_back(c.r);
                break;
            case 32:
                if (format.bitFields) {
                    Put32(line, Scale(c.r, masks[0]) | Scale(c.g, masks[1]) | Scale(c.b, masks[2]));
                } else {
                    line.push_back(c.b);
                    line.push_back(c.g);
                    line.push_back(c.r);
                    line.push_back(0);
                }
                break;
            default: throw std::invalid_argument("bit count");
            }
        }
        if (bitsHeld > 0) line.push_back(static_cast<std::uint8_t>(bitBuffer << (8 - bitsHeld)));
        line.resize(stride, 0);
        pixels.insert(pixels.end(), line.begin(), line.end());
    }

    if (format.lastRowUnpadded)
        pixels.resize(pixels.size() - stride + (static_cast<std::size_t>(picture.width) * format.bitCount + 7) / 8);

    const int height = format.topDown ? -picture.height : picture.height;
    std::vector<std::uint8_t> file =
        Headers(format.header, format.fileHeader, picture.width, height, format.bitCount,
                format.bitFields ? 3u : 0u, 0, format.palette, format.colorsUsed,
                format.bitFields ? &format.masks : nullptr, pixels.size());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

std::vector<std::uint8_t> EncodeRunLengthBitmap(int width, int height, std::uint16_t bitCount,
                                                const std::vector<Rgb>& palette,
                                                const std::vector<std::uint8_t>& stream, bool fileHeader,
                                                std::uint32_t sizeImage)
{
    const std::uint32_t compression = bitCount == 8 ? 1 : 2;
    std::vector<std::uint8_t> file = Headers(HeaderKind::Info, fileHeader, width, height, bitCount, compression,
                                             sizeImage, palette, 0, nullptr, stream.size());
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

std::vector<std::uint8_t> BottomUpRgb(const Picture& picture)
{
    std::vector<std::uint8_t> out;
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c = picture.At(x, y);
            out.insert(out.end(), {c.r, c.g, c.b});
        }
    return out;
}

Picture CornerPicture(int width, int height, const std::vector<Rgb>& colours)
{
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(colours[static_cast<std::size_t>(x + 3 * y) % colours.size()]);
    return picture;
}
