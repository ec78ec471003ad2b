// The display-text rules, checked against fixed expectations and, in the Windows build,
// against wsprintfA itself.
#include "core/text_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(HexText, MatchesTheWindowsHexFormat) {
    struct Case {
        uint32_t value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {0xA0B2C, "A0B2C"},
        {0x94CF0000, "94CF0000"},
        {0xFFFFFFFF, "FFFFFFFF"},
        {static_cast<uint32_t>(-1), "FFFFFFFF"},
        {0xC1A4, "C1A4"},
        {0x10E, "10E"},
        {0x80000000, "80000000"},
        {0xF, "F"},
        {0x10, "10"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hexText(c.value), c.text) << std::hex << c.value;
#ifdef _WIN32
        char reference[16];
        wsprintfA(reference, "%X", c.value);
        EXPECT_EQ(hexText(c.value), reference) << std::hex << c.value;
#endif
    }
}

#ifdef _WIN32
TEST(HexText, AgreesWithWsprintfOverTheWholeRangeSampled) {
    // A stride coprime to 2^32 visits values of every length and every digit.
    char reference[16];
    uint32_t value = 0;
    for (int i = 0; i < 200000; ++i, value += 2654435761u) {
        wsprintfA(reference, "%X", value);
        ASSERT_EQ(hexText(value), reference) << value;
    }
}
#endif

TEST(NumberText, PlainDecimalAtZeroNegativesAndTheExtremes) {
    struct Case {
        int32_t value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {1, "1"},
        {-1, "-1"},
        {-8, "-8"},
        {1288, "1288"},
        {1000000, "1000000"},
        {INT32_MIN, "-2147483648"},
        {INT32_MAX, "2147483647"},
        {999999999, "999999999"},
        {-1000000000, "-1000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numberText(c.value), c.text);
}

TEST(RectangleText, FourNumbersEachFollowedByABlank) {
    struct Case {
        ScreenRect rect;
        const char* text;
    };
    const Case cases[] = {
        {{-8, -8, 1288, 1008}, "-8 -8 1288 1008 "},
        {{0, 0, 0, 0}, "0 0 0 0 "},
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
         "-2147483648 -2147483648 2147483647 2147483647 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rectangleText(c.rect), c.text);
}

TEST(BlankText, CountBlanksOrNoTextBelowOne) {
    const std::optional<std::string> buffer = blankText(255);
    ASSERT_TRUE(buffer.has_value());
    EXPECT_EQ(buffer->size(), 255u);
    EXPECT_EQ(buffer->find_first_not_of(' '), std::string::npos);
    EXPECT_EQ(buffer->c_str()[255], '\0');  // the 256th byte of the block is the NUL

    EXPECT_EQ(blankText(1), std::optional<std::string>(" "));
    for (int32_t count : {0, -1, INT32_MIN})
        EXPECT_FALSE(blankText(count).has_value()) << count;
}

}  // namespace
