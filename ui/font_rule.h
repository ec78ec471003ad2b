// The font rule of the controls: stored font data of exactly 60 bytes is a LOGFONTA, from
// which the font is made with fixed character set, precisions, quality and pitch.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/owned.h"
#include "ui/window_description.h"

static_assert(sizeof(LOGFONTA) == 60, "a stored font is a 60-byte LOGFONTA");

// The 60 stored bytes of a label font.
std::string storedFontData(const LabelFont& font);

// The font made from stored font data, or none when there is no usable data or the font
// cannot be created (the caller then uses DEFAULT_GUI_FONT).
OwnedFont fontFromData(std::string_view fontData);
