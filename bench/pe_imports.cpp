// PE32 layout: DOS header -> "PE\0\0" -> file header -> optional header with the data
// directories -> section table, which maps the import directory's address to file offsets.
#include "bench/pe_imports.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace {

constexpr uint16_t kPe32Magic = 0x10B;
constexpr size_t kImportDirectoryIndex = 1;
constexpr size_t kImportDescriptorSize = 20;
constexpr size_t kSectionHeaderSize = 40;

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool has(size_t at, size_t count) const {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }
    uint32_t word(size_t at, size_t size) const {
        uint32_t value = 0;
        for (size_t i = size; i-- > 0;) {
            value = value << 8 | static_cast<unsigned char>(bytes_[at + i]);
        }
        return value;
    }
    std::optional<std::string> text(size_t at) const {
        if (at >= bytes_.size())
            return std::nullopt;
        const size_t end = bytes_.find('\0', at);
        if (end == std::string_view::npos)
            return std::nullopt;
        return std::string(bytes_.substr(at, end - at));
    }

private:
    std::string_view bytes_;
};

struct Section {
    uint32_t virtualAddress;
    uint32_t virtualSize;
    uint32_t rawOffset;
    uint32_t rawSize;
};

std::optional<size_t> fileOffset(const std::vector<Section>& sections, uint32_t address) {
    for (const Section& section : sections) {
        const uint32_t span =
            section.virtualSize > section.rawSize ? section.virtualSize : section.rawSize;
        if (address >= section.virtualAddress && address - section.virtualAddress < span) {
            return size_t{section.rawOffset} + (address - section.virtualAddress);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::string>> importedDlls(std::string_view peBytes) {
    const Reader pe(peBytes);
    if (!pe.has(0, 64) || pe.word(0, 2) != 0x5A4D)
        return std::nullopt;  // "MZ"
    const size_t ntHeaders = pe.word(0x3C, 4);
    if (!pe.has(ntHeaders, 24) || pe.word(ntHeaders, 4) != 0x4550)
        return std::nullopt;  // "PE"
    const size_t sectionCount = pe.word(ntHeaders + 6, 2);
    const size_t optionalSize = pe.word(ntHeaders + 20, 2);
    const size_t optional = ntHeaders + 24;
    if (!pe.has(optional, optionalSize) || optionalSize < 96 + 8 * (kImportDirectoryIndex + 1) ||
        pe.word(optional, 2) != kPe32Magic) {
        return std::nullopt;
    }
    const uint32_t importAddress = pe.word(optional + 96 + 8 * kImportDirectoryIndex, 4);

    std::vector<Section> sections;
    const size_t table = optional + optionalSize;
    for (size_t i = 0; i < sectionCount; ++i) {
        const size_t at = table + i * kSectionHeaderSize;
        if (!pe.has(at, kSectionHeaderSize))
            return std::nullopt;
        sections.push_back(
            {pe.word(at + 12, 4), pe.word(at + 8, 4), pe.word(at + 20, 4), pe.word(at + 16, 4)});
    }

    std::vector<std::string> names;
    if (importAddress == 0)
        return names;
    const std::optional<size_t> first = fileOffset(sections, importAddress);
    if (!first)
        return std::nullopt;
    for (size_t at = *first;; at += kImportDescriptorSize) {
        if (!pe.has(at, kImportDescriptorSize))
            return std::nullopt;
        const uint32_t nameAddress = pe.word(at + 12, 4);
        if (nameAddress == 0)
            break;  // the all-zero descriptor ends the list
        const std::optional<size_t> nameOffset = fileOffset(sections, nameAddress);
        if (!nameOffset)
            return std::nullopt;
        std::optional<std::string> name = pe.text(*nameOffset);
        if (!name)
            return std::nullopt;
        names.push_back(std::move(*name));
    }
    return names;
}
