// How the probe reaches the Windows loader: the loader calls as a replaceable table, the
// owner of a loaded module, and the path that pins a system library to the system folder.
#pragma once

#include <windows.h>

#include <string>

// The loader calls, as a seam for tests.
struct LibraryApi {
    decltype(&LoadLibraryA) loadLibraryA;
    decltype(&GetProcAddress) getProcAddress;
    decltype(&FreeLibrary) freeLibrary;
};

// LoadLibraryA, GetProcAddress and FreeLibrary of kernel32.
const LibraryApi& systemLibraryApi();

// Move-only owner of one loaded module, released through the table that loaded it.
class LoadedModule {
public:
    LoadedModule() = default;
    LoadedModule(HMODULE module, const LibraryApi& api) : module_(module), api_(&api) {}
    ~LoadedModule() { reset(); }
    LoadedModule(LoadedModule&& other) noexcept : module_(other.module_), api_(other.api_) {
        other.module_ = nullptr;
    }
    LoadedModule& operator=(LoadedModule&& other) noexcept {
        if (this != &other) {
            reset();
            module_ = other.module_;
            api_ = other.api_;
            other.module_ = nullptr;
        }
        return *this;
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    HMODULE get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }
    void reset() {
        if (module_ != nullptr)
            api_->freeLibrary(module_);
        module_ = nullptr;
    }

private:
    HMODULE module_ = nullptr;         // owned
    const LibraryApi* api_ = nullptr;  // not owned
};

// The full path of a library file in the Windows system folder, so that a file of the same
// name beside the program or in the current folder is never the one loaded. Empty when the
// system folder cannot be determined.
std::string systemLibraryPath(const char* libraryFile);
