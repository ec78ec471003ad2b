// Finds the ICO file's raw-data resource in the executable's own module.
#include "ui/icon_resource.h"

#include <windows.h>

#include "ui/resource_ids.h"

std::string_view inspectorIconBytes() {
    // Resources of the executable stay mapped until the process ends; nothing to release.
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(IDR_INSPECTOR_ICO), RT_RCDATA);
    if (resource == nullptr)
        return {};
    const HGLOBAL loaded = LoadResource(module, resource);
    const DWORD size = SizeofResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0)
        return {};
    return std::string_view(static_cast<const char*>(bytes), size);
}
