// Makes an icon image from the bytes of an ICO file: the image chosen for a wanted width,
// created through a table of the user32 calls so that tests can count them.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/owned.h"

struct IconCreationApi {
    decltype(&CreateIconFromResourceEx) createIconFromResourceEx;
    decltype(&CreateIconFromResource) createIconFromResource;
};
const IconCreationApi& systemIconCreationApi();

// The icon for the wanted width (16 or 32), or none when the bytes give no image.
OwnedIcon iconFromIco(std::string_view icoBytes, int wantedWidth,
                      const IconCreationApi& api = systemIconCreationApi());
