// The footprint of a program: its file size, the DLLs it imports, and its memory once it
// has started, read from outside with GetProcessMemoryInfo.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct MemoryFigures {
    uint64_t workingSet = 0;
    uint64_t pagefileUsage = 0;
    uint64_t privateUsage = 0;  // 0 under Wine for another process
};

std::optional<uint64_t> fileSize(const std::string& path);
// The imported DLL names; none when the file cannot be read as a PE32 file.
std::optional<std::vector<std::string>> importsOf(const std::string& path);
// True for a DLL that every Windows installation has (kernel32, user32, msvcrt, ...).
bool isSystemDll(const std::string& name);
std::optional<MemoryFigures> memoryOf(HANDLE process);
