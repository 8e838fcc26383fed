// Writes a seed corpus of well-formed bitmap files into the folder given.
#include "bitmap_writer.h"

#include <fstream>
#include <string>

namespace {

void Write(const std::string& folder, const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    const std::vector<Rgb> colours{{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}};
    std::vector<Rgb> palette = colours;
    const Picture picture = CornerPicture(5, 3, colours);

    for (const HeaderKind header : {HeaderKind::Core, HeaderKind::Info})
        for (const std::uint16_t bits : {1, 4, 8, 16, 24, 32}) {
            if (header == HeaderKind::Core && (bits == 16 || bits == 32)) continue;
            const Picture source = bits == 1 ? CornerPicture(5, 3, {colours[0], colours[1]}) : picture;
            for (const bool fileHeader : {true, false}) {
                BitmapFormat format;
                format.header = header;
                format.bitCount = bits;
                format.fileHeader = fileHeader;
                if (bits <= 8) {
                    format.palette = bits == 1 ? std::vector<Rgb>{colours[0], colours[1]} : colours;
                    format.palette.resize(std::size_t{1} << bits);
                }
                const std::string name = std::string(header == HeaderKind::Core ? "core" : "info") +
                                         std::to_string(bits) + (fileHeader ? "" : "_packed") + ".bmp";
                Write(folder, name, EncodeBitmap(source, format));
            }
        }

    Write(folder, "topdown24.bmp", EncodeBitmap(picture, {.topDown = true}));
    Write(folder, "bitfields16.bmp",
          EncodeBitmap(picture, {.bitCount = 16, .masks = {0xF800, 0x07E0, 0x001F}, .bitFields = true}));

    // Colours-used 65536 is 0 in 16 bits, and 0 tells the conversion to read
    // the whole table: the block must hold it, or the file be refused.
    BitmapFormat wrappedCount;
    wrappedCount.bitCount = 8;
    wrappedCount.palette = colours;
    wrappedCount.palette.resize(256);
    wrappedCount.colorsUsed = 0x10000;
    Write(folder, "colours_used_65536.bmp", EncodeBitmap(picture, wrappedCount));
    // A direct-colour picture with a table larger than any palette.
    Write(folder, "table300_24.bmp",
          EncodeBitmap(picture, {.palette = std::vector<Rgb>(300, colours[2]), .colorsUsed = 300}));
    // A file that ends right after the last pixel of its last row.
    Write(folder, "last_row_unpadded24.bmp", EncodeBitmap(picture, {.lastRowUnpadded = true}));

    palette.resize(256);
    Write(folder, "rle8.bmp",
          EncodeRunLengthBitmap(4, 3, 8, palette,
                                {0x04, 0x01, 0x00, 0x00, 0x00, 0x03, 0x02, 0x03, 0x01, 0x00, 0x01, 0x02, 0x00,
                                 0x00, 0x01, 0x03, 0x00, 0x02, 0x02, 0x00, 0x01, 0x01, 0x00, 0x01}));
    palette.resize(16);
    Write(folder, "rle4.bmp",
          EncodeRunLengthBitmap(5, 2, 4, palette,
                                {0x05, 0x12, 0x00, 0x00, 0x00, 0x05, 0x34, 0x51, 0x20, 0x00, 0x00, 0x01}));
    return 0;
}
