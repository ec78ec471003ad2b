// Rebuilds the ICO file from the icon group resource and its images. The resource compiler
// splits an ICO file into a group directory (14-byte entries naming an image resource) and
// one RT_ICON resource per image; the file's 16-byte entries carry an offset instead.
#include "ui/icon_resource.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "ui/resource_ids.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14, "RT_GROUP_ICON entries are 14 bytes");

constexpr size_t kHeaderSize = 6;
constexpr size_t kFileEntrySize = 16;

// Resources of the executable stay mapped until the process ends; nothing to release.
std::string_view resourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    const HRSRC resource = FindResourceA(module, name, type);
    if (resource == nullptr)
        return {};
    const HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return {};
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, resource));
}

void appendWord(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void appendDword(std::string& out, uint32_t value) {
    appendWord(out, static_cast<uint16_t>(value & 0xFFFF));
    appendWord(out, static_cast<uint16_t>(value >> 16));
}

}  // namespace

std::string inspectorIconFile() {
    return icoFileFromResources(GetModuleHandleA(nullptr), IDI_INSPECTOR);
}

std::string icoFileFromResources(HMODULE module, WORD groupId) {
    const std::string_view group = resourceBytes(module, MAKEINTRESOURCEA(groupId), RT_GROUP_ICON);
    if (group.size() < kHeaderSize)
        return {};
    uint16_t count = 0;
    std::memcpy(&count, group.data() + 4, sizeof count);
    if (group.size() < kHeaderSize + count * sizeof(GroupIconEntry))
        return {};

    struct Image {
        GroupIconEntry entry;
        std::string_view bytes;
    };
    std::vector<Image> images(count);
    size_t total = kHeaderSize + count * kFileEntrySize;
    for (uint16_t i = 0; i < count; ++i) {
        Image& image = images[i];
        std::memcpy(&image.entry, group.data() + kHeaderSize + i * sizeof image.entry,
                    sizeof image.entry);
        image.bytes = resourceBytes(module, MAKEINTRESOURCEA(image.entry.id), RT_ICON);
        if (image.bytes.empty())
            return {};
        total += image.bytes.size();
    }

    std::string file;
    file.reserve(total);
    file.append(group.data(), kHeaderSize);  // reserved, type 1, count
    uint32_t offset = static_cast<uint32_t>(kHeaderSize + count * kFileEntrySize);
    for (const Image& image : images) {
        file.push_back(static_cast<char>(image.entry.width));
        file.push_back(static_cast<char>(image.entry.height));
        file.push_back(static_cast<char>(image.entry.colourCount));
        file.push_back(static_cast<char>(image.entry.reserved));
        appendWord(file, image.entry.planes);
        appendWord(file, image.entry.bitCount);
        appendDword(file, static_cast<uint32_t>(image.bytes.size()));
        appendDword(file, offset);
        offset += static_cast<uint32_t>(image.bytes.size());
    }
    for (const Image& image : images)
        file.append(image.bytes);
    return file;
}
