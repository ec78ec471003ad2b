// Creation of an icon image from the ICO entry that chooseIcoImage picks.
#include "ui/icon_from_ico.h"

#include "ui/ico_directory.h"

namespace {

constexpr DWORD kIconFormatVersion = 0x30000;
constexpr uint16_t kSixteenBitsPerPixel = 16;

}  // namespace

const IconCreationApi& systemIconCreationApi() {
    static const IconCreationApi api{&CreateIconFromResourceEx, &CreateIconFromResource};
    return api;
}

OwnedIcon iconFromIco(std::string_view icoBytes, int wantedWidth, const IconCreationApi& api) {
    const std::optional<IcoImage> image = chooseIcoImage(icoBytes, wantedWidth);
    if (!image)
        return OwnedIcon();
    // The calls take a non-const pointer but only read the image bits.
    const PBYTE bits = reinterpret_cast<PBYTE>(const_cast<char*>(image->data.data()));
    const DWORD size = static_cast<DWORD>(image->data.size());
    HICON icon = api.createIconFromResourceEx(bits, size, TRUE, kIconFormatVersion, image->width,
                                              image->height, LR_DEFAULTCOLOR);
    if (icon == nullptr && image->bitsPerPixel != kSixteenBitsPerPixel) {
        icon = api.createIconFromResource(bits, size, TRUE, kIconFormatVersion);
    }
    return OwnedIcon(icon);
}
