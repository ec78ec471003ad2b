// Making icons from ICO bytes: the product's icon through the real user32 calls, and the
// arguments and the fallback through counting stand-ins.
#include "ui/icon_from_ico.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/fixtures/ico_builder.h"
#include "tests/ui/fixtures/product_icon.h"
#include "ui/ico_directory.h"

namespace {

SIZE iconSize(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return {0, 0};
    // GetIconInfo hands over copies of both bitmaps.
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

TEST(IconFromIco, ProductIconGivesItsSixteenPixelImageForBothWidths) {
    const std::string_view bytes = productIconBytes();
    ASSERT_EQ(bytes.size(), 99678u);
    for (const int wantedWidth : {16, 32}) {
        const std::optional<IcoImage> image = chooseIcoImage(bytes, wantedWidth);
        ASSERT_TRUE(image) << wantedWidth;
        EXPECT_EQ(image->width, 16);
        EXPECT_EQ(image->height, 16);
        EXPECT_EQ(image->bitsPerPixel, 32);

        const OwnedIcon icon = iconFromIco(bytes, wantedWidth);
        ASSERT_TRUE(icon) << wantedWidth;
        const SIZE size = iconSize(icon.get());
        EXPECT_EQ(size.cx, 16) << wantedWidth;
        EXPECT_EQ(size.cy, 16) << wantedWidth;
    }
}

// What the stand-ins saw, and what they give back.
struct CreationCall {
    std::string function;
    const BYTE* bits;
    DWORD size;
    BOOL isIcon;
    DWORD version;
    int width;
    int height;
    UINT flags;
};
std::vector<CreationCall> calls;
bool exSucceeds = false;
bool plainSucceeds = false;

HICON realIcon() {
    const BYTE andMask[32] = {};
    const BYTE xorMask[32] = {};
    return CreateIcon(nullptr, 16, 16, 1, 1, andMask, xorMask);
}

HICON WINAPI countingEx(PBYTE bits, DWORD size, BOOL isIcon, DWORD version, int width, int height,
                        UINT flags) {
    calls.push_back({"Ex", bits, size, isIcon, version, width, height, flags});
    return exSucceeds ? realIcon() : nullptr;
}

HICON WINAPI countingPlain(PBYTE bits, DWORD size, BOOL isIcon, DWORD version) {
    calls.push_back({"plain", bits, size, isIcon, version, 0, 0, 0});
    return plainSucceeds ? realIcon() : nullptr;
}

const IconCreationApi countingApi{&countingEx, &countingPlain};

class IconFromIcoCalls : public testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        exSucceeds = false;
        plainSucceeds = false;
    }
};

TEST_F(IconFromIcoCalls, CreatesFromTheChosenImageWithItsHeaderSize) {
    const BuiltIco ico = buildIco({{48, 0, 48, 96, 32}, {32, 16, 24, 49, 4, 60}});
    exSucceeds = true;
    const OwnedIcon icon = iconFromIco(ico.bytes, 32, countingApi);
    EXPECT_TRUE(icon);
    ASSERT_EQ(calls.size(), 1u);
    const CreationCall& call = calls[0];
    EXPECT_EQ(call.function, "Ex");
    EXPECT_EQ(call.bits, reinterpret_cast<const BYTE*>(ico.bytes.data() + ico.imageOffsets[1]));
    EXPECT_EQ(call.size, 60u);
    EXPECT_EQ(call.isIcon, TRUE);
    EXPECT_EQ(call.version, 0x30000u);
    EXPECT_EQ(call.width, 24);
    EXPECT_EQ(call.height, 24);  // 49 / 2
    EXPECT_EQ(call.flags, static_cast<UINT>(LR_DEFAULTCOLOR));
}

TEST_F(IconFromIcoCalls, FallsBackUnlessTheImageHasSixteenBitsPerPixel) {
    struct FallbackCase {
        uint16_t bitsPerPixel;
        bool plainSucceeds;
        std::vector<std::string> expectedCalls;
        bool expectIcon;
    };
    const FallbackCase cases[] = {
        {32, true, {"Ex", "plain"}, true},
        {32, false, {"Ex", "plain"}, false},
        {4, true, {"Ex", "plain"}, true},
        {16, true, {"Ex"}, false},
    };
    for (const FallbackCase& c : cases) {
        calls.clear();
        plainSucceeds = c.plainSucceeds;
        const BuiltIco ico = buildIco({{16, 0, 16, 32, c.bitsPerPixel}});
        const OwnedIcon icon = iconFromIco(ico.bytes, 16, countingApi);
        std::vector<std::string> seen;
        for (const CreationCall& call : calls)
            seen.push_back(call.function);
        EXPECT_EQ(seen, c.expectedCalls) << c.bitsPerPixel;
        EXPECT_EQ(static_cast<bool>(icon), c.expectIcon) << c.bitsPerPixel;
        if (calls.size() == 2) {
            EXPECT_EQ(calls[1].bits, calls[0].bits);
            EXPECT_EQ(calls[1].size, calls[0].size);
            EXPECT_EQ(calls[1].isIcon, TRUE);
            EXPECT_EQ(calls[1].version, 0x30000u);
        }
    }
}

TEST_F(IconFromIcoCalls, BytesWithoutAnImageCallNothing) {
    for (const std::string_view bytes : {std::string_view(), std::string_view("not an icon")}) {
        EXPECT_FALSE(iconFromIco(bytes, 16, countingApi));
    }
    EXPECT_TRUE(calls.empty());
}

}  // namespace
