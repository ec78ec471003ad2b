// Display-text rules for snapshot values.
#include "core/text_format.h"

#include <cmath>
#include <cstdio>

std::string hexText(uint32_t value) {
    char digits[8];
    int count = 0;
    do {
        digits[count++] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string text;
    text.reserve(count);
    while (count > 0)
        text.push_back(digits[--count]);
    return text;
}

std::string numberText(int32_t value) {
    // Round half away from zero after nudging by 1e-12, then print with 13 significant
    // digits. Every 32-bit integer survives this unchanged and prints in plain form.
    double number = value;
    if (number != 0) {
        const double magnitude = std::fabs(number) + 1e-12;
        double whole = std::floor(magnitude);
        if (magnitude - whole >= 0.5)
            whole += 1;
        number = std::copysign(whole, number);
    }
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%.13g", number);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string rectangleText(const ScreenRect& rect) {
    const std::string pieces[] = {numberText(rect.left), numberText(rect.top),
                                  numberText(rect.right), numberText(rect.bottom)};
    std::string text;
    text.reserve(pieces[0].size() + pieces[1].size() + pieces[2].size() + pieces[3].size() + 4);
    for (const std::string& piece : pieces) {
        text += piece;
        text += ' ';
    }
    return text;
}

std::optional<std::string> blankText(int32_t count) {
    if (count < 1)
        return std::nullopt;
    return std::string(static_cast<size_t>(count), ' ');
}
