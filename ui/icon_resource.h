// The product's ICO file (99678 bytes), embedded as raw data in the executable by
// resources.rc.
#pragma once

#include <string_view>

// A view of the embedded bytes, valid for the life of the process; empty in a program that
// does not carry the resource (the test programs).
std::string_view inspectorIconBytes();
