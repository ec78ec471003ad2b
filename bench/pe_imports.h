// Reads the names of the DLLs a 32-bit PE file imports, from its import directory.
// Platform-free: works on the file's bytes, every read bounds-checked.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The imported DLL names in directory order; none when the bytes are not a readable PE32 file.
std::optional<std::vector<std::string>> importedDlls(std::string_view peBytes);
