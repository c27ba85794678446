#pragma once

#include <string>

#include "catalogue/font_info.h"

// The font file's name and the name of its value under the Fonts key.
struct VLFontNames {
    std::string fileName;
    std::string valueName;
};

// The name a TrueType font is registered by: family, a space and style, or
// the base name when both are empty.
std::string GetDisplayName(const VLFontInfo& font);

// The naming table, by the package's font type (exact, case-sensitive):
//   "OTF": base + " (OpenType)" below version 6, base + " (TrueType)" from 6 on; base + ".otf"
//   "TTF": display name + " (TrueType)"; base + ".ttf"
// False for any other type: such a font is neither written nor registered.
bool ChooseFontNames(const std::string& fontType, const VLFontInfo& font, bool version6OrLater,
                     VLFontNames& names);
