// Replays every seed and every input that once found a fault through the ICO image choice:
// the chosen image must lie inside the input. Known seeds also pin what they must yield.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/fuzz/ico_image_check.h"
#include "ui/ico_directory.h"

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> replayedFiles() {
    std::vector<fs::path> files{fs::path(PROJECT_SOURCE_DIR) / "assets" / "inspector.ico"};
    for (const char* folder : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(FUZZ_SOURCE_DIR) / folder;
        if (!fs::is_directory(dir))
            continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
            if (entry.is_regular_file() && entry.path().extension() != ".md") {
                files.push_back(entry.path());
            }
        }
    }
    return files;
}

TEST(IcoCorpusReplay, EveryChosenImageLiesWithinItsInput) {
    const std::vector<fs::path> files = replayedFiles();
    ASSERT_GT(files.size(), 10u) << "corpus not found under " << FUZZ_SOURCE_DIR;
    for (const fs::path& file : files) {
        const std::string bytes = readBytes(file);
        for (const int wantedWidth : {16, 32}) {
            EXPECT_TRUE(icoImageLiesWithin(bytes, chooseIcoImage(bytes, wantedWidth)))
                << file.filename().string() << " for width " << wantedWidth;
        }
    }
}

// Bitmap width of the image chosen for 16 and for 32; 0 means no image.
struct Expected {
    int32_t widthFor16;
    int32_t widthFor32;
};

TEST(IcoCorpusReplay, KnownSeedsYieldTheirImageOrNone) {
    const std::map<std::string, Expected> expected = {
        {"inspector.ico", {16, 16}},  // no entry qualifies: the last, 16-pixel image
        {"valid_two_images.ico", {16, 32}},
        {"cursor_type.ico", {32, 32}},
        {"truncated_header.ico", {0, 0}},
        {"count_zero.ico", {0, 0}},
        {"reserved_not_zero.ico", {0, 0}},
        {"entry_beyond_end.ico", {0, 0}},
        {"huge_offset.ico", {0, 0}},
        {"offset_size_overflow.ico", {0, 0}},  // offset + size wraps to a small number
        {"size_past_end.ico", {0, 0}},
    };
    size_t seen = 0;
    for (const fs::path& file : replayedFiles()) {
        const auto found = expected.find(file.filename().string());
        if (found == expected.end())
            continue;
        ++seen;
        const std::string bytes = readBytes(file);
        const auto widthFor = [&](int wantedWidth) {
            const std::optional<IcoImage> image = chooseIcoImage(bytes, wantedWidth);
            return image ? image->width : 0;
        };
        EXPECT_EQ(widthFor(16), found->second.widthFor16) << found->first;
        EXPECT_EQ(widthFor(32), found->second.widthFor32) << found->first;
    }
    EXPECT_EQ(seen, expected.size());
}

}  // namespace
