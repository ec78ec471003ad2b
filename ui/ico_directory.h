// Chooses the image of an ICO file that an icon of a wanted width is made from, by reading
// the file's header, its directory and the chosen image's bitmap header. Platform-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct IcoImage {
    std::string_view data;  // the chosen entry's image bytes (a view into the ICO bytes)
    int32_t width;          // signed 32-bit word at data[4..7] (bitmap header width)
    int32_t height;         // signed 32-bit word at data[8..11] / 2, towards zero
    uint16_t bitsPerPixel;  // 16-bit word at data[14..15]
};

// The first directory entry with 16 or more colours and the wanted width, else the last
// entry; none when the header, the directory or the chosen image's data is not all there.
std::optional<IcoImage> chooseIcoImage(std::string_view icoBytes, int wantedWidth);
