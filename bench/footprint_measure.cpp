// File size, PE imports against a list of system DLLs, and process memory counters.
#include "bench/footprint_measure.h"

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>

#include "bench/pe_imports.h"

std::optional<uint64_t> fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
}

std::optional<std::vector<std::string>> importsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return importedDlls(bytes);
}

bool isSystemDll(const std::string& name) {
    static const std::set<std::string> systemDlls = {
        "kernel32.dll", "user32.dll", "gdi32.dll",    "shell32.dll", "advapi32.dll",
        "msvcrt.dll",   "ntdll.dll",  "comctl32.dll", "ole32.dll",   "psapi.dll",
    };
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return systemDlls.count(lower) > 0 || lower.rfind("api-ms-win-", 0) == 0;
}

std::optional<MemoryFigures> memoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        return std::nullopt;
    }
    return MemoryFigures{counters.WorkingSetSize, counters.PagefileUsage, counters.PrivateUsage};
}
