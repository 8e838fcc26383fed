// The image loader on bitmap files written here, compared pixel by pixel with
// what they must decode to, and on malformed files, each of which must give
// its message and no picture.
#include "bitmap_writer.h"
#include "file_access.h"
#include "image.h"
#include "image_messages.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255},
    kAmber{200, 120, 16}, kSky{40, 160, 232};

std::vector<Rgb> FullPalette(std::vector<Rgb> colours, int bits)
{
    colours.resize(std::size_t{1} << bits, kBlack);
    return colours;
}

DibDecoding Decode(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    return DecodeDibFile(WriteTestFile(name, bytes).c_str());
}

struct DecodeCase {
    const char* name;
    int width, height;
    std::vector<Rgb> colours;
    BitmapFormat format;
};

class DecodesPixelForPixel : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodesPixelForPixel, AsTheSystemWouldShowIt)
{
    const DecodeCase& c = GetParam();
    const Picture picture = CornerPicture(c.width, c.height, c.colours);
    const DibDecoding decoded = Decode(std::string(c.name) + ".bmp", EncodeBitmap(picture, c.format));
    ASSERT_TRUE(decoded.image) << decoded.message;
    EXPECT_EQ(decoded.image->width, c.width);
    EXPECT_EQ(decoded.image->height, c.height);
    EXPECT_EQ(decoded.image->pixels, BottomUpRgb(picture));
}

BitmapFormat Format(HeaderKind header, std::uint16_t bits, std::vector<Rgb> palette = {}, bool fileHeader = true)
{
    BitmapFormat format;
    format.header = header;
    format.bitCount = bits;
    format.palette = std::move(palette);
    format.fileHeader = fileHeader;
    return format;
}

BitmapFormat TopDown(BitmapFormat format)
{
    format.topDown = true;
    return format;
}

BitmapFormat ShortTable(std::vector<Rgb> palette)
{
    BitmapFormat format = Format(HeaderKind::Info, 8, palette);
    format.colorsUsed = static_cast<std::uint32_t>(palette.size());
    return format;
}

// A direct-colour file with a colour table, which the conversion ignores.
BitmapFormat WithTable(BitmapFormat format, std::uint32_t declared, std::size_t stored)
{
    format.palette.assign(stored, Rgb{1, 2, 3});
    format.colorsUsed = declared;
    return format;
}

BitmapFormat Unpadded(BitmapFormat format)
{
    format.lastRowUnpadded = true;
    return format;
}

BitmapFormat BitFields(std::uint16_t bits, std::array<std::uint32_t, 3> masks)
{
    BitmapFormat format = Format(HeaderKind::Info, bits);
    format.bitFields = true;
    format.masks = masks;
    return format;
}

const std::vector<Rgb> kTwo{kBlack, kWhite};
const std::vector<Rgb> kSix{kRed, kGreen, kBlue, kWhite, kAmber, kSky};
// Colours that 5 bits per channel hold exactly.
const std::vector<Rgb> kFiveBit{kBlack, kWhite, kRed, kGreen, kBlue};

std::vector<Rgb> TwentyColours()
{
    std::vector<Rgb> colours;
    for (std::uint8_t i = 0; i < 20; ++i)
        colours.push_back({static_cast<std::uint8_t>(i * 12), static_cast<std::uint8_t>(255 - i * 10),
                           static_cast<std::uint8_t>(i * 7 + 3)});
    return colours;
}

INSTANTIATE_TEST_SUITE_P(
    EveryDepthAndHeader, DecodesPixelForPixel,
    testing::Values(
        DecodeCase{"core1", 5, 3, kTwo, Format(HeaderKind::Core, 1, kTwo)},
        DecodeCase{"info1", 3, 4, kTwo, Format(HeaderKind::Info, 1, kTwo)},
        DecodeCase{"core4", 5, 2, kSix, Format(HeaderKind::Core, 4, FullPalette(kSix, 4))},
        DecodeCase{"info4", 3, 3, kSix, Format(HeaderKind::Info, 4, FullPalette(kSix, 4))},
        DecodeCase{"core8", 3, 2, kSix, Format(HeaderKind::Core, 8, FullPalette(kSix, 8))},
        DecodeCase{"info8_colours_used_0", 5, 3, kSix, Format(HeaderKind::Info, 8, FullPalette(kSix, 8))},
        DecodeCase{"info8_short_table", 5, 4, TwentyColours(), ShortTable(TwentyColours())},
        DecodeCase{"info16", 3, 3, kFiveBit, Format(HeaderKind::Info, 16)},
        DecodeCase{"info16_565", 5, 2, kFiveBit, BitFields(16, {0xF800, 0x07E0, 0x001F})},
        DecodeCase{"core24", 3, 3, kSix, Format(HeaderKind::Core, 24)},
        DecodeCase{"info24_width1", 1, 4, kSix, Format(HeaderKind::Info, 24)},
        DecodeCase{"info24_width3", 3, 5, kSix, Format(HeaderKind::Info, 24)},
        DecodeCase{"info24_width5", 5, 3, kSix, Format(HeaderKind::Info, 24)},
        DecodeCase{"info32", 3, 2, kSix, Format(HeaderKind::Info, 32)},
        // Red in the low byte: only a loader that uses the masks gets red right.
        DecodeCase{"info32_swapped_masks", 5, 2, kSix, BitFields(32, {0x000000FF, 0x0000FF00, 0x00FF0000})},
        DecodeCase{"packed_core8", 3, 3, kSix, Format(HeaderKind::Core, 8, FullPalette(kSix, 8), false)},
        DecodeCase{"packed_info4", 5, 2, kSix, Format(HeaderKind::Info, 4, FullPalette(kSix, 4), false)},
        DecodeCase{"packed_info24", 3, 2, kSix, Format(HeaderKind::Info, 24, {}, false)},
        DecodeCase{"topdown24", 3, 4, kSix, TopDown(Format(HeaderKind::Info, 24))},
        DecodeCase{"topdown8", 5, 3, kSix, TopDown(Format(HeaderKind::Info, 8, FullPalette(kSix, 8)))},
        DecodeCase{"topdown1_packed", 3, 3, kTwo, TopDown(Format(HeaderKind::Info, 1, kTwo, false))},
        // Accepted although unusual: every byte read lies inside the file.
        DecodeCase{"info24_table_of_300", 3, 2, kSix, WithTable(Format(HeaderKind::Info, 24), 300, 300)},
        DecodeCase{"info24_declares_a_table_it_lacks", 3, 2, kSix, WithTable(Format(HeaderKind::Info, 24), 300, 0)},
        DecodeCase{"packed_info32_table_of_300", 2, 2, kSix,
                   WithTable(Format(HeaderKind::Info, 32, {}, false), 300, 300)},
        DecodeCase{"info24_last_row_unpadded", 5, 3, kSix, Unpadded(Format(HeaderKind::Info, 24))},
        DecodeCase{"info1_last_row_unpadded", 3, 2, kTwo, Unpadded(Format(HeaderKind::Info, 1, kTwo))},
        // 256 colours declared, 6 stored: the pixels start inside the table.
        DecodeCase{"info8_pixels_inside_the_table", 40, 30, kSix, Format(HeaderKind::Info, 8, kSix)}),
    [](const testing::TestParamInfo<DecodeCase>& param) { return std::string(param.param.name); });

TEST(ImageLoader, DecodesTheOnePixelOverlayFile)
{
    const Picture black{1, 1, {kBlack}};
    const DibDecoding decoded = Decode("overlay.bmp", EncodeBitmap(black, Format(HeaderKind::Info, 24)));
    ASSERT_TRUE(decoded.image);
    EXPECT_EQ(decoded.image->width, 1);
    EXPECT_EQ(decoded.image->height, 1);
    EXPECT_EQ(decoded.image->pixels, (std::vector<std::uint8_t>{0, 0, 0}));
}

// Runs, absolute runs with padding, end of line, delta and end of bitmap.
TEST(ImageLoader, DecodesRunLength8WithEveryEscape)
{
    const std::vector<Rgb> palette = FullPalette({kBlack, kRed, kGreen, kBlue}, 8);
    const std::vector<std::uint8_t> stream = {
        0x04, 0x01, 0x00, 0x00,                          // bottom row: four of colour 1, end of line
        0x00, 0x03, 0x02, 0x03, 0x01, 0x00,              // absolute 2, 3, 1 and a pad byte
        0x01, 0x02, 0x00, 0x00,                          // one of colour 2, end of line
        0x01, 0x03, 0x00, 0x02, 0x02, 0x00, 0x01, 0x01,  // colour 3, skip two, colour 1
        0x00, 0x01};                                     // end of bitmap
    for (const bool fileHeader : {true, false}) {
        const DibDecoding decoded =
            Decode("rle8.bmp", EncodeRunLengthBitmap(4, 3, 8, palette, stream, fileHeader));
        ASSERT_TRUE(decoded.image) << decoded.message;
        const Picture expected{4, 3, {kBlue, kBlack, kBlack, kRed,   // top row
                                      kGreen, kBlue, kRed, kGreen,    //
                                      kRed, kRed, kRed, kRed}};       // bottom row
        EXPECT_EQ(decoded.image->pixels, BottomUpRgb(expected)) << "file header " << fileHeader;
    }
}

TEST(ImageLoader, DecodesRunLength4WithRunsAndAbsoluteNibbles)
{
    const std::vector<Rgb> palette = FullPalette({kBlack, kRed, kGreen, kBlue, kWhite, kAmber}, 4);
    const std::vector<std::uint8_t> stream = {
        0x05, 0x12, 0x00, 0x00,                    // bottom row: 1 2 1 2 1, end of line
        0x00, 0x05, 0x34, 0x51, 0x20, 0x00,        // absolute 3 4 5 1 2 and a pad byte
        0x00, 0x01};                               // end of bitmap
    const DibDecoding decoded = Decode("rle4.bmp", EncodeRunLengthBitmap(5, 2, 4, palette, stream));
    ASSERT_TRUE(decoded.image) << decoded.message;
    const Picture expected{5, 2, {kBlue, kWhite, kAmber, kRed, kGreen,
                                  kRed, kGreen, kRed, kGreen, kRed}};
    EXPECT_EQ(decoded.image->pixels, BottomUpRgb(expected));
}

// --- Malformed files: the message each gets, and no picture. ---------------

std::vector<std::uint8_t> Good8BitFile()
{
    return EncodeBitmap(CornerPicture(4, 4, kSix), Format(HeaderKind::Info, 8, FullPalette(kSix, 8)));
}
std::vector<std::uint8_t> OneBitFile()
{
    return EncodeBitmap(CornerPicture(3, 3, kTwo), Format(HeaderKind::Info, 1, kTwo));
}
std::vector<std::uint8_t> Info24File() { return EncodeBitmap(CornerPicture(4, 4, kSix), Format(HeaderKind::Info, 24)); }
std::vector<std::uint8_t> RunLengthFile() { return EncodeRunLengthBitmap(2, 1, 8, FullPalette(kSix, 8), {2, 1, 0, 1}); }

// The fields a case overwrites: the file header's, then the info header's.
constexpr std::size_t kPixelOffsetAt = 10, kInfoAt = 14, kWidthAt = kInfoAt + 4, kHeightAt = kInfoAt + 8,
                      kPlanesAt = kInfoAt + 12, kBitCountAt = kInfoAt + 14, kCompressionAt = kInfoAt + 16,
                      kColoursUsedAt = kInfoAt + 32;

// A field overwritten in the file's own byte order, little-endian.
struct Edit {
    std::size_t at;
    std::uint32_t value;
    std::size_t bytes = 4;
};

struct MalformedCase {
    const char* name;
    std::vector<std::uint8_t> (*make)();
    std::vector<Edit> edits;
    std::string_view message;
};

class RefusesMalformedFile : public testing::TestWithParam<MalformedCase> {};

TEST_P(RefusesMalformedFile, WithItsMessageAndNoPicture)
{
    const MalformedCase& c = GetParam();
    std::vector<std::uint8_t> file = c.make();
    for (const Edit& edit : c.edits) std::memcpy(&file[edit.at], &edit.value, edit.bytes);
    const DibDecoding decoded = Decode(std::string(c.name) + ".bmp", file);
    EXPECT_FALSE(decoded.image);
    EXPECT_EQ(decoded.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCheck, RefusesMalformedFile,
    testing::Values(
        MalformedCase{"v4_header", Good8BitFile, {{kInfoAt, 108}}, kUnknownFormatText},
        MalformedCase{"v5_header", Good8BitFile, {{kInfoAt, 124}}, kUnknownFormatText},
        MalformedCase{"header_size_0", Good8BitFile, {{kInfoAt, 0}}, kUnknownFormatText},
        MalformedCase{"one_byte", [] { return std::vector<std::uint8_t>{'B'}; }, {}, kUnknownFormatText},
        MalformedCase{"cut_in_the_header", [] { auto f = Good8BitFile(); f.resize(kInfoAt + 20); return f; }, {},
                      kUnknownFormatText},
        MalformedCase{"cut_core_header",
                      [] {
                          auto f = EncodeBitmap(CornerPicture(2, 2, kSix), Format(HeaderKind::Core, 24));
                          f.resize(kInfoAt + 8);
                          return f;
                      },
                      {}, kUnknownFormatText},
        MalformedCase{"two_planes", Good8BitFile, {{kPlanesAt, 2, 2}}, kUnknownFormatText},
        MalformedCase{"bit_count_7", Good8BitFile, {{kBitCountAt, 7, 2}}, kUnknownFormatText},
        MalformedCase{"bit_count_0_jpeg", Good8BitFile, {{kBitCountAt, 0, 2}}, kUnknownFormatText},
        MalformedCase{"jpeg_compression", Good8BitFile, {{kCompressionAt, 4}}, kUnknownFormatText},
        MalformedCase{"rle8_on_24_bits", Info24File, {{kCompressionAt, 1}}, kUnknownFormatText},
        MalformedCase{"bit_fields_on_8_bits", Good8BitFile, {{kCompressionAt, 3}}, kUnknownFormatText},
        MalformedCase{"width_0", Good8BitFile, {{kWidthAt, 0}}, kUnknownFormatText},
        MalformedCase{"height_0", Good8BitFile, {{kHeightAt, 0}}, kUnknownFormatText},
        MalformedCase{"negative_width", Good8BitFile, {{kWidthAt, 0xFFFFFFFC}}, kUnknownFormatText},
        MalformedCase{"top_down_run_length", RunLengthFile, {{kHeightAt, 0xFFFFFFFF}}, kUnknownFormatText},
        MalformedCase{"too_many_colours_for_8_bits", Good8BitFile, {{kColoursUsedAt, 257}}, kUnknownFormatText},
        MalformedCase{"too_many_colours_for_1_bit", OneBitFile, {{kColoursUsedAt, 3}}, kUnknownFormatText},
        // 65536 is 0 in 16 bits, and 0 would have the conversion read a
        // whole table that the file does not promise.
        MalformedCase{"colours_used_65536", Good8BitFile, {{kColoursUsedAt, 0x10000}}, kUnknownFormatText},
        MalformedCase{"colours_used_0x30000_on_1_bit", OneBitFile, {{kColoursUsedAt, 0x30000}}, kUnknownFormatText},
        MalformedCase{"colour_table_past_the_end",
                      [] {
                          auto f = EncodeBitmap(CornerPicture(2, 2, kTwo), Format(HeaderKind::Info, 8, kTwo, false));
                          f.resize(40 + 100);  // the full table is 1024 bytes
                          return f;
                      },
                      {}, kUnknownFormatText},
        MalformedCase{"huge_width", Good8BitFile, {{kWidthAt, 100000}}, kOutOfMemoryText},
        MalformedCase{"most_negative_height", Good8BitFile, {{kHeightAt, 0x80000000}}, kOutOfMemoryText},
        MalformedCase{"too_many_pixels", Good8BitFile, {{kWidthAt, 8192}, {kHeightAt, 8192}}, kOutOfMemoryText},
        MalformedCase{"pixel_offset_past_the_end", Good8BitFile, {{kPixelOffsetAt, 1u << 30}}, kConversionErrorText},
        MalformedCase{"pixel_offset_inside_the_header", Good8BitFile, {{kPixelOffsetAt, 20}}, kConversionErrorText},
        MalformedCase{"pixel_data_one_byte_short", [] { auto f = Good8BitFile(); f.pop_back(); return f; }, {},
                      kConversionErrorText},
        MalformedCase{"last_row_short_of_a_pixel_byte",
                      [] {
                          auto f = EncodeBitmap(CornerPicture(5, 3, kSix), Unpadded(Format(HeaderKind::Info, 24)));
                          f.pop_back();
                          return f;
                      },
                      {}, kConversionErrorText},
        MalformedCase{"uncompressed_rows_past_the_end", Good8BitFile, {{kHeightAt, 400}}, kConversionErrorText},
        MalformedCase{"run_length_size_past_the_end",
                      [] { return EncodeRunLengthBitmap(2, 1, 8, FullPalette(kSix, 8), {2, 1, 0, 1}, true, 4096); },
                      {}, kConversionErrorText}),
    [](const testing::TestParamInfo<MalformedCase>& param) { return std::string(param.param.name); });

TEST(ImageLoader, EmptyFileFailsToOpenAndNamesThePath)
{
    const std::string path = WriteTestFile("empty.bmp", {});
    const DibDecoding decoded = DecodeDibFile(path.c_str());
    EXPECT_FALSE(decoded.image);
    EXPECT_EQ(decoded.message, "Failed to open DIB file " + path + ".\n");
}

TEST(ImageLoader, MissingFileIsPassedOverWithoutAMessage)
{
    // A message box here would block the test until its time-out.
    const std::string path = MissingTestFile("missing.bmp");
    EXPECT_FALSE(CanOpenForReading(path.c_str()));
    EXPECT_FALSE(LoadImageFile(path.c_str()));
    EXPECT_FALSE(LoadImageFile(nullptr));
}

TEST(ImageMessages, LongPathIsCutAtACharacterBoundaryWithinTheBuffer)
{
    const auto isLead = [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
    const std::string ascii(400, 'a');
    const std::string cut = FormatOpenFailure(ascii, isLead);
    EXPECT_LE(cut.size(), kOpenFailureBufferSize - 1);
    EXPECT_TRUE(cut.starts_with("Failed to open DIB file aaa"));
    EXPECT_TRUE(cut.ends_with("a....\n"));

    std::string kana;
    for (int i = 0; i < 200; ++i) kana += "\x82\xA0";  // hiragana A in code page 932
    for (const std::string& path : {kana, "x" + kana}) {
        const std::string text = FormatOpenFailure(path, isLead);
        ASSERT_LE(text.size(), kOpenFailureBufferSize - 1);
        const std::size_t pathEnd = text.size() - std::string_view("....\n").size();
        const std::size_t start = std::string_view("Failed to open DIB file ").size() + (path[0] == 'x');
        EXPECT_EQ((pathEnd - start) % 2, 0u) << "a character was cut in half";
    }

    EXPECT_EQ(FormatOpenFailure("C:\\k_rova\\Sorvane01.bmp", isLead),
              "Failed to open DIB file C:\\k_rova\\Sorvane01.bmp.\n");
}

TEST(DibColorCount, FollowsTheHeaderKindAndColoursUsed)
{
    DibHeader core{.size = 12};
    for (auto [bits, count] : {std::pair{1, 2}, {4, 16}, {8, 256}, {24, 0}}) {
        core.bitCount = static_cast<std::uint16_t>(bits);
        EXPECT_EQ(DibColorCount(core), count) << bits << " bits";
    }
    DibHeader info{.size = 40, .bitCount = 8};
    EXPECT_EQ(DibColorCount(info), 256);
    info.clrUsed = 20;
    EXPECT_EQ(DibColorCount(info), 20);
    info.clrUsed = 0x10002;  // cut to its low 16 bits
    EXPECT_EQ(DibColorCount(info), 2);
    info.clrUsed = 0x10000;  // the checks refuse what this leaves
    EXPECT_EQ(DibColorCount(info), 0);
    info = {.size = 40, .bitCount = 24};
    EXPECT_EQ(DibColorCount(info), 0);
}

}  // namespace
