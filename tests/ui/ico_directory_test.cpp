// Choosing the image of an ICO file: which entry is taken for a wanted width, which files
// give none, and the bitmap header fields read from the chosen image.
#include "ui/ico_directory.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/fixtures/ico_builder.h"

namespace {

constexpr int kNone = -1;

// The index of the entry whose image data the choice points at, or kNone.
int chosenIndex(const BuiltIco& ico, const std::optional<IcoImage>& image) {
    if (!image)
        return kNone;
    for (size_t index = 0; index < ico.imageOffsets.size(); ++index) {
        if (image->data.data() == ico.bytes.data() + ico.imageOffsets[index]) {
            return static_cast<int>(index);
        }
    }
    return -2;  // a view that is not one of the images
}

std::vector<IcoEntryShape> withEntry(std::vector<IcoEntryShape> entries, size_t index,
                                     IcoEntryShape entry) {
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(index), entry);
    return entries;
}

const IcoEntryShape kSixteenColour32{32, 16, 32, 64, 4};
const IcoEntryShape kSixteenColour16{16, 16, 16, 32, 4};

struct ChoiceCase {
    const char* name;
    BuiltIco ico;
    int wantedWidth;
    int expected;  // entry index, or kNone
};

TEST(ChooseIcoImage, TakesFirstQualifyingEntryElseTheLast) {
    const std::vector<ChoiceCase> cases = {
        {"product shape, 16", buildIco(productShapedEntries()), 16, 4},
        {"product shape, 32", buildIco(productShapedEntries()), 32, 4},
        {"16-colour 32 px in the middle, 32",
         buildIco(withEntry(productShapedEntries(), 2, kSixteenColour32)), 32, 2},
        {"16-colour 32 px in the middle, 16",
         buildIco(withEntry(productShapedEntries(), 2, kSixteenColour32)), 16, 5},
        {"16-colour 32 px last, 32",
         buildIco(withEntry(productShapedEntries(), 5, kSixteenColour32)), 32, 5},
        {"16-colour 16 px first, 16",
         buildIco(withEntry(productShapedEntries(), 0, kSixteenColour16)), 16, 0},
        {"16-colour 16 px first, 32",
         buildIco(withEntry(productShapedEntries(), 0, kSixteenColour16)), 32, 5},
        {"15 colours never qualify", buildIco({{16, 15, 16, 32, 4}, {32, 0, 32, 64, 32}}), 16, 1},
        {"255 colours qualify", buildIco({{16, 255, 16, 32, 8}, {32, 0, 32, 64, 32}}), 16, 0},
        {"first of two qualifying",
         buildIco({{32, 0, 32, 64, 32}, {32, 16, 32, 64, 4}, {32, 16, 32, 64, 4}}), 32, 1},
        {"width byte 0 (256 px) is not 16", buildIco({{0, 16, 256, 512, 4}, {48, 0, 48, 96, 32}}),
         16, 1},
        {"single entry of another width", buildIco({{48, 0, 48, 96, 32}}), 16, 0},
        {"type 2 (cursor file)",
         buildIco(withEntry(productShapedEntries(), 1, kSixteenColour16), 2), 16, 1},
    };
    for (const ChoiceCase& c : cases) {
        EXPECT_EQ(chosenIndex(c.ico, chooseIcoImage(c.ico.bytes, c.wantedWidth)), c.expected)
            << c.name;
    }
}

TEST(ChooseIcoImage, ReadsTheChosenImagesBitmapHeader) {
    const BuiltIco ico = buildIco(productShapedEntries());
    const std::optional<IcoImage> image = chooseIcoImage(ico.bytes, 16);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->data, std::string_view(ico.bytes).substr(ico.imageOffsets[4], 40));
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 16);
    EXPECT_EQ(image->bitsPerPixel, 32);
}

TEST(ChooseIcoImage, HalvesTheHeightTowardsZero) {
    struct HeightCase {
        int32_t bitmapHeight;
        int32_t expected;
    };
    const HeightCase cases[] = {{64, 32},
                                {33, 16},
                                {-33, -16},
                                {1, 0},
                                {-1, 0},
                                {INT32_MAX, 1073741823},
                                {INT32_MIN, -1073741824}};
    for (const HeightCase& c : cases) {
        const BuiltIco ico = buildIco({{32, 0, -7, c.bitmapHeight, 24}});
        const std::optional<IcoImage> image = chooseIcoImage(ico.bytes, 32);
        ASSERT_TRUE(image) << c.bitmapHeight;
        EXPECT_EQ(image->height, c.expected) << c.bitmapHeight;
        EXPECT_EQ(image->width, -7);
        EXPECT_EQ(image->bitsPerPixel, 24);
    }
}

TEST(ChooseIcoImage, GivesNoneForFilesThatAreNotAllThere) {
    // Two images; the last one is the choice for width 16 unless a case changes that.
    const BuiltIco valid = buildIco({{32, 0, 32, 64, 32}, {48, 0, 48, 96, 32}});
    const size_t lastEntry = icoEntryAt(1);
    struct BrokenCase {
        const char* name;
        std::function<void(std::string&)> breakIt;
    };
    const std::vector<BrokenCase> cases = {
        {"empty", [](std::string& b) { b.clear(); }},
        {"header cut at 5 bytes", [](std::string& b) { b.resize(5); }},
        {"reserved word 1", [](std::string& b) { putWord16(b, 0, 1); }},
        {"reserved word 0x100", [](std::string& b) { putWord16(b, 0, 0x100); }},
        {"type 0", [](std::string& b) { putWord16(b, 2, 0); }},
        {"type 3", [](std::string& b) { putWord16(b, 2, 3); }},
        {"count 0", [](std::string& b) { putWord16(b, 4, 0); }},
        {"last entry cut", [&](std::string& b) { b.resize(lastEntry + 15); }},
        {"image data runs past the end", [&](std::string& b) { b.resize(b.size() - 1); }},
        {"image offset past the end",
         [&](std::string& b) {
             putWord32(b, lastEntry + 12, static_cast<uint32_t>(b.size() + 1));
         }},
        {"image offset at the end, size 0",
         [&](std::string& b) {
             putWord32(b, lastEntry + 8, 0);
             putWord32(b, lastEntry + 12, static_cast<uint32_t>(b.size()));
         }},
        // offset + size wraps around in 32 bits and would pass a check that adds them.
        {"size wraps past the offset",
         [&](std::string& b) { putWord32(b, lastEntry + 8, 0xFFFFFFFFu - 10); }},
        {"offset wraps past the size",
         [&](std::string& b) {
             putWord32(b, lastEntry + 8, 0x20);
             putWord32(b, lastEntry + 12, 0xFFFFFFF0u);
         }},
        {"image data of 15 bytes", [&](std::string& b) { putWord32(b, lastEntry + 8, 15); }},
    };
    for (const BrokenCase& c : cases) {
        std::string bytes = valid.bytes;
        c.breakIt(bytes);
        EXPECT_FALSE(chooseIcoImage(bytes, 16)) << c.name;
    }

    std::string sixteenBytes = valid.bytes;
    putWord32(sixteenBytes, lastEntry + 8, 16);
    EXPECT_TRUE(chooseIcoImage(sixteenBytes, 16)) << "16 bytes hold every field read";
}

TEST(ChooseIcoImage, StaysInsideEveryPrefixOfAFile) {
    const BuiltIco ico = buildIco({{16, 16, 16, 32, 4, 24}, {32, 0, 32, 64, 32, 20}});
    for (const int wantedWidth : {16, 32}) {
        for (size_t length = 0; length <= ico.bytes.size(); ++length) {
            // An exact-size heap copy, so a read past the end shows under AddressSanitizer.
            const std::vector<char> prefix(ico.bytes.begin(),
                                           ico.bytes.begin() + static_cast<std::ptrdiff_t>(length));
            const std::string_view bytes(prefix.data(), prefix.size());
            const std::optional<IcoImage> image = chooseIcoImage(bytes, wantedWidth);
            // For 16 the first image is chosen, and it ends where the second begins; for 32
            // the last one, which ends with the file.
            const bool complete =
                wantedWidth == 16 ? length >= ico.imageOffsets[1] : length == ico.bytes.size();
            EXPECT_EQ(static_cast<bool>(image), complete) << wantedWidth << " " << length;
            if (image) {
                EXPECT_GE(image->data.data(), bytes.data());
                EXPECT_LE(image->data.data() + image->data.size(), bytes.data() + bytes.size());
            }
        }
    }
}

}  // namespace
