#include "image.h"

#include "ansi_text.h"
#include "dib_layout.h"
#include "file_access.h"
#include "image_messages.h"
#include "win32_handles.h"

#include <algorithm>
#include <new>
#include <span>

namespace {

constexpr WORD kOutputBitCount = 24;
constexpr std::size_t kOutputPixelBytes = 3;
constexpr GLint kRgbComponents = 3;

// The box's owner: the focused window, else the run's, whose context the
// pictures are loaded in. Where the system refused the run the foreground no
// window has the focus, and a box of no owner would open beneath the topmost
// run, unseen, with the run waiting on it.
HWND LoaderMessageOwner()
{
    if (const HWND focus = GetFocus()) return focus;
    const HDC current = wglGetCurrentDC();
    return current ? WindowFromDC(current) : nullptr;
}

void ShowLoaderMessage(const std::string& ansiText)
{
    // The text holds a path in the ANSI code page; the box shows it as UTF-16.
    MessageBoxW(LoaderMessageOwner(), WideFromAnsi(ansiText).c_str(), kErrorCaption, MB_OK);
}

DibDecoding Failure(std::string_view message) { return {std::nullopt, std::string(message)}; }

// Tight RGB rows from the bottom-up 24-bit section (BGR, rows padded to 4 bytes).
std::vector<std::uint8_t> RepackRows(const std::uint8_t* section, std::int32_t width, std::int32_t rows)
{
    const auto w = static_cast<std::size_t>(width);
    const std::size_t padding = w % 4;
    std::vector<std::uint8_t> pixels(w * static_cast<std::size_t>(rows) * kOutputPixelBytes);
    std::uint8_t* out = pixels.data();
    for (std::int32_t row = 0; row < rows; ++row) {
        for (std::size_t x = 0; x < w; ++x, section += kOutputPixelBytes)
            out = std::reverse_copy(section, section + kOutputPixelBytes, out);
        section += padding;
    }
    return pixels;
}

DibDecoding DecodeMappedDib(std::span<const std::uint8_t> file)
{
    const DibCheck check = CheckDib(file);
    if (check.fault != DibFault::None) return Failure(MessageForFault(check.fault));
    const DibLayout& layout = check.layout;

    // Declared first, so that it goes last: after the context that holds it.
    UniqueBitmap section;
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return Failure(kOutOfMemoryText);

    // Always bottom-up, whatever the file's row order, so that the first row
    // repacked is the picture's bottom row.
    BITMAPINFOHEADER output{};
    output.biSize = sizeof output;
    output.biWidth = layout.header.width;
    output.biHeight = layout.rows;
    output.biPlanes = 1;
    output.biBitCount = kOutputBitCount;
    output.biCompression = BI_RGB;
    output.biSizeImage = static_cast<DWORD>(layout.rows) * static_cast<DWORD>(layout.header.width) *
                         kOutputPixelBytes;
    void* sectionBits = nullptr;
    section.reset(CreateDIBSection(dc.get(), reinterpret_cast<const BITMAPINFO*>(&output), DIB_RGB_COLORS,
                                   &sectionBits, nullptr, 0));
    if (!section || !sectionBits) return Failure(kOutOfMemoryText);
    const SelectedObject selected(dc.get(), section.get());
    if (!selected) return Failure(kOutOfMemoryText);

    // The mapped file itself, unless its last row lacks its padding: then a
    // copy long enough for every row the conversion reads.
    const std::uint8_t* pixels = file.data() + layout.pixelOffset;
    std::vector<std::uint8_t> paddedPixels;
    if (layout.storedPixelLength < layout.pixelLength) {
        paddedPixels.assign(layout.pixelLength, 0);
        std::copy_n(pixels, layout.storedPixelLength, paddedPixels.begin());
        pixels = paddedPixels.data();
    }
    const int converted =
        SetDIBits(dc.get(), section.get(), 0, static_cast<UINT>(layout.rows), pixels,
                  reinterpret_cast<const BITMAPINFO*>(layout.infoBlock.data()), DIB_RGB_COLORS);
    if (converted == 0) return Failure(kConversionErrorText);
    GdiFlush();

    return {ImageRecord{layout.header.width, layout.rows,
                        RepackRows(static_cast<const std::uint8_t*>(sectionBits), layout.header.width, layout.rows)},
            {}};
}

}  // namespace

DibDecoding DecodeDibFile(const char* path)
{
    const UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    const UniqueKernelHandle mapping(
        file ? CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr) : nullptr);
    const UniqueMappedView view(mapping ? MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr);
    LARGE_INTEGER size{};
    if (!view || !GetFileSizeEx(file.get(), &size)) return Failure(FormatOpenFailure(path, IsAnsiLeadByte));

    try {
        return DecodeMappedDib({static_cast<const std::uint8_t*>(view.get()), static_cast<std::size_t>(size.QuadPart)});
    } catch (const std::bad_alloc&) {
        return Failure(kOutOfMemoryText);
    }
}

std::optional<ImageRecord> ReadDibFile(const char* path)
{
    DibDecoding decoding = DecodeDibFile(path);
    if (!decoding.image) ShowLoaderMessage(decoding.message);
    return std::move(decoding.image);
}

std::optional<ImageRecord> LoadImageFile(const char* path)
{
    if (!CanOpenForReading(path)) return std::nullopt;
    return ReadDibFile(path);
}

bool LoadTexture(const char* path, GLuint* textureName, GLint wrapS, GLint wrapT)
{
    const std::optional<ImageRecord> image = LoadImageFile(path);
    if (!image) return false;
    glGenTextures(1, textureName);
    glBindTexture(GL_TEXTURE_2D, *textureName);
    // Rows are tightly packed, whatever the picture's width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, kRgbComponents, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image->pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return true;
}
