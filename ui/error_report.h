// The texts of the run-time error box. Platform-free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr const char* kRunTimeErrorCaption = "运行时错误";

// A heading line and an empty line; then, when the code is not 0, the code in decimal and
// an empty line; then, when the message is not empty, the message and a line break.
std::string runTimeErrorText(std::string_view message, int32_t errorCode);
