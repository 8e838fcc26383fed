#include "picture.h"

#include <cstring>

namespace {

constexpr WORD kBitmapFileMagic = 0x4D42;  // "BM"
constexpr WORD kSavedBitCount = 24;

}  // namespace

Picture Picture::FromResource(int resourceId)
{
    Picture picture;
    picture.bitmap_.reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (picture.bitmap_ && GetObjectW(picture.bitmap_.get(), sizeof info, &info)) {
        picture.width_ = info.bmWidth;
        picture.height_ = info.bmHeight;
    }
    return picture;
}

void Picture::Draw(HDC dc, int x, int y, int width, int height) const
{
    if (!bitmap_) return;
    const UniqueMemoryDc source(CreateCompatibleDC(dc));
    const SelectedObject selected(source.get(), bitmap_.get());
    BitBlt(dc, x, y, std::min(width, width_), std::min(height, height_), source.get(), 0, 0, SRCCOPY);
}

std::vector<std::uint8_t> BitmapFileOf(const Picture& picture)
{
    if (!picture) return {};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = picture.Width();
    header.biHeight = picture.Height();  // bottom-up, as the format stores rows
    header.biPlanes = 1;
    header.biBitCount = kSavedBitCount;
    header.biCompression = BI_RGB;
    const auto stride = static_cast<DWORD>((picture.Width() * 3 + 3) & ~3);
    header.biSizeImage = stride * static_cast<DWORD>(picture.Height());

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = kBitmapFileMagic;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;

    std::vector<std::uint8_t> file(fileHeader.bfSize);
    std::memcpy(file.data(), &fileHeader, sizeof fileHeader);
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (GetDIBits(dc.get(), picture.Bitmap(), 0, static_cast<UINT>(picture.Height()), file.data() + fileHeader.bfOffBits,
                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) != picture.Height())
        return {};
    // Written after the call, which may fill in what it leaves to the caller.
    std::memcpy(file.data() + sizeof fileHeader, &header, sizeof header);
    return file;
}
