// Reading of the ICO file layout: a 6-byte header, 16-byte directory entries, and image data
// that begins with a bitmap header. Every read is bounds-checked against the given bytes.
#include "ui/ico_directory.h"

#include <cstddef>

namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
// The image data must hold the bitmap header's fields up to the bits per pixel.
constexpr size_t kBitmapFieldsSize = 16;
constexpr unsigned kMinimumColourCount = 16;

uint16_t word16(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

uint32_t word32(std::string_view bytes, size_t at) {
    return static_cast<uint32_t>(word16(bytes, at)) | static_cast<uint32_t>(word16(bytes, at + 2))
                                                          << 16;
}

int32_t signedWord32(std::string_view bytes, size_t at) {
    return static_cast<int32_t>(word32(bytes, at));
}

}  // namespace

std::optional<IcoImage> chooseIcoImage(std::string_view icoBytes, int wantedWidth) {
    if (icoBytes.size() < kHeaderSize)
        return std::nullopt;
    const uint16_t reserved = word16(icoBytes, 0);
    const uint16_t type = word16(icoBytes, 2);
    const uint16_t count = word16(icoBytes, 4);
    if (reserved != 0 || (type != 1 && type != 2) || count == 0)
        return std::nullopt;

    size_t chosen = 0;
    for (size_t index = 0; index < count; ++index) {
        const size_t entry = kHeaderSize + index * kEntrySize;
        if (entry > icoBytes.size() || icoBytes.size() - entry < kEntrySize)
            return std::nullopt;
        chosen = entry;
        const unsigned width = static_cast<unsigned char>(icoBytes[entry]);
        const unsigned colourCount = static_cast<unsigned char>(icoBytes[entry + 2]);
        if (colourCount >= kMinimumColourCount && static_cast<int>(width) == wantedWidth)
            break;
    }

    const uint32_t size = word32(icoBytes, chosen + 8);
    const uint32_t offset = word32(icoBytes, chosen + 12);
    // Compared without adding, so a huge size cannot wrap past the end.
    if (offset > icoBytes.size() || size > icoBytes.size() - offset)
        return std::nullopt;
    const std::string_view data = icoBytes.substr(offset, size);
    if (data.size() < kBitmapFieldsSize)
        return std::nullopt;

    return IcoImage{data, signedWord32(data, 4), signedWord32(data, 8) / 2, word16(data, 14)};
}
