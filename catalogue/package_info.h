#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/font_info.h"

// One product of the font package: its names, font type and ordered fonts.
class VLPackageInfo {
public:
    // False, and nothing changes, for a second all-fonts entry.
    bool AddFont(const VLFontInfo& font);
    bool SetPackageName(const std::string& name);
    // Only a text of exactly 4 bytes is taken.
    bool SetProductType(const std::string& type);
    bool SetFontType(const std::string& type);

    // m_baseName + ".ttf" when the font type is exactly "TTF", else + ".otf".
    std::string GetOutputFileName(int index) const;
    // The output file name, then "(family style)" unless both parts are empty;
    // padded puts the file name left-aligned in 30 columns for the fixed-pitch list.
    std::string FormatFontLabel(int index, bool padded) const;

    int32_t m_allFontsIndex = -1;
    std::string m_productType;
    std::string m_fontType = "OTF";
    uint16_t m_packageId = 0;
    std::string m_packageName;
    std::vector<VLFontInfo> m_fonts;
};
