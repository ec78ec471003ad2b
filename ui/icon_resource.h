// The product's ICO file (99678 bytes), rebuilt from the executable's own icon resource, so
// the file is stored in the exe only once.
#pragma once

#include <windows.h>

#include <string>

// The ICO file rebuilt from the icon group `groupId` of `module` and its images; empty when
// the module lacks any of them.
std::string icoFileFromResources(HMODULE module, WORD groupId);

// The ICO file: its header, one directory entry per image and the images, in resource order.
// Empty in a program that does not carry the icon (the test programs).
std::string inspectorIconFile();
