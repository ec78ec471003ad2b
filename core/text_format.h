// The rules that turn snapshot values into display texts, and the blank receive buffers.
// Every text is a new owning string; "no text" is an empty optional. Allocation failure
// throws std::bad_alloc, which the capture controller reports as a fatal error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/window_snapshot.h"

// Upper-case hexadecimal without prefix or leading zeros, as wsprintfA("%X") gives it.
std::string hexText(uint32_t value);

// Plain decimal: a leading '-' for negative values, no separators, never an exponent.
std::string numberText(int32_t value);

// "left top right bottom " with a blank after every number, the last one included.
std::string rectangleText(const ScreenRect& rect);

// count blanks (the string's terminating NUL follows them); no text when count < 1.
std::optional<std::string> blankText(int32_t count);
