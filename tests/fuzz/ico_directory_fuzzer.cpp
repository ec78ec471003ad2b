// libFuzzer entry for the ICO directory walk: any bytes, both wanted widths; the chosen
// image must be a view inside the input, with its header words read from that view.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "tests/fuzz/ico_image_check.h"
#include "ui/ico_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const int wantedWidth : {16, 32}) {
        if (!icoImageLiesWithin(bytes, chooseIcoImage(bytes, wantedWidth)))
            std::abort();
    }
    return 0;
}
