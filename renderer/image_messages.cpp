#include "image_messages.h"

#include <string>

namespace {

constexpr std::string_view kOpenFailurePrefix = "Failed to open DIB file ";
constexpr std::string_view kOpenFailureSuffix = ".\n";
constexpr std::string_view kCutMark = "...";

// The longest head of `path` of at most `limit` bytes that ends between characters.
std::string_view HeadAtCharacterBoundary(std::string_view path, std::size_t limit, LeadByteTest isLeadByte)
{
    std::size_t end = 0;
    while (end < path.size()) {
        const std::size_t width = CharacterSize(path, end, isLeadByte);
        if (end + width > limit) break;
        end += width;
    }
    return path.substr(0, end);
}

}  // namespace

std::string FormatOpenFailure(std::string_view path, LeadByteTest isLeadByte)
{
    constexpr std::size_t capacity = kOpenFailureBufferSize - 1;
    constexpr std::size_t fixed = kOpenFailurePrefix.size() + kOpenFailureSuffix.size();
    const bool cut = fixed + path.size() > capacity;
    const std::string_view shown =
        cut ? HeadAtCharacterBoundary(path, capacity - fixed - kCutMark.size(), isLeadByte) : path;
    return std::string(kOpenFailurePrefix).append(shown).append(cut ? kCutMark : "").append(kOpenFailureSuffix);
}

std::string_view MessageForFault(DibFault fault)
{
    switch (fault) {
    case DibFault::UnknownFormat: return kUnknownFormatText;
    case DibFault::ConversionError: return kConversionErrorText;
    case DibFault::OutOfMemory: return kOutOfMemoryText;
    case DibFault::None: break;
    }
    return {};
}
