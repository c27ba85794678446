#include "install/font_naming.h"

std::string GetDisplayName(const VLFontInfo& font) {
    if (font.m_familyName.empty() && font.m_styleName.empty()) return font.m_baseName;
    return font.m_familyName + " " + font.m_styleName;
}

bool ChooseFontNames(const std::string& fontType, const VLFontInfo& font, bool version6OrLater,
                     VLFontNames& names) {
    if (fontType == "OTF") {
        names.valueName = font.m_baseName + (version6OrLater ? " (TrueType)" : " (OpenType)");
        names.fileName = font.m_baseName + ".otf";
        return true;
    }
    if (fontType == "TTF") {
        names.valueName = GetDisplayName(font) + " (TrueType)";
        names.fileName = font.m_baseName + ".ttf";
        return true;
    }
    return false;
}
