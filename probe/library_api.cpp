// The real loader calls and the system-folder path of a library file.
#include "probe/library_api.h"

const LibraryApi& systemLibraryApi() {
    static const LibraryApi api = {&::LoadLibraryA, &::GetProcAddress, &::FreeLibrary};
    return api;
}

std::string systemLibraryPath(const char* libraryFile) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    // 0 is a failure; a value of MAX_PATH or more is the size the folder would need.
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string path(folder, length);
    if (path.back() != '\\')
        path += '\\';
    path += libraryFile;
    return path;
}
