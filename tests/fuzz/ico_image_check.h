// The property every choice of an ICO image must keep, shared by the fuzzer and the replay
// test: the image data is a view inside the given bytes, and the header fields come from it.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string_view>

#include "ui/ico_directory.h"

inline bool icoImageLiesWithin(std::string_view bytes, const std::optional<IcoImage>& image) {
    if (!image)
        return true;
    const std::string_view data = image->data;
    if (data.empty())
        return true;
    // Compared as addresses, since the view must point into the caller's buffer.
    const std::less_equal<const char*> notAfter;
    if (bytes.empty() || !notAfter(bytes.data(), data.data()) ||
        !notAfter(data.data() + data.size(), bytes.data() + bytes.size())) {
        return false;
    }
    if (data.size() < 16)
        return true;
    int32_t width = 0;
    int32_t doubledHeight = 0;
    uint16_t bitsPerPixel = 0;
    std::memcpy(&width, data.data() + 4, sizeof width);
    std::memcpy(&doubledHeight, data.data() + 8, sizeof doubledHeight);
    std::memcpy(&bitsPerPixel, data.data() + 14, sizeof bitsPerPixel);
    return image->width == width && image->height == doubledHeight / 2 &&
           image->bitsPerPixel == bitsPerPixel;
}
