// Label fonts: the stored LOGFONTA bytes and the font made from them.
#include "ui/font_rule.h"

#include <cstring>

std::string storedFontData(const LabelFont& font) {
    LOGFONTA stored{};
    stored.lfHeight = font.height;
    stored.lfWeight = font.weight;
    std::strncpy(stored.lfFaceName, font.faceName, LF_FACESIZE - 1);
    return std::string(reinterpret_cast<const char*>(&stored), sizeof(stored));
}

OwnedFont fontFromData(std::string_view fontData) {
    if (fontData.size() != sizeof(LOGFONTA))
        return OwnedFont();
    LOGFONTA font;
    std::memcpy(&font, fontData.data(), sizeof(font));
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    return OwnedFont(CreateFontIndirectA(&font));
}
