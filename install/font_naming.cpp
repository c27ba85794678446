#include "install/font_naming.h"

#include "catalogue/base_name_check.h"
#include "platform/shift_jis.h"

std::string SourcePathOf(const std::string& fontDataDir, const std::string& baseName) {
    const bool endsWithBackslash =
        !fontDataDir.empty() && FindLastSingleByte(fontDataDir, '\\') == fontDataDir.size() - 1;
    return fontDataDir + (endsWithBackslash ? "" : "\\") + baseName + ".cmp";
}

bool NamesAreSafe(const std::string& baseName, const std::string& sourcePath, const std::string& destPath) {
    return CheckBaseName(baseName) == VLBaseNameProblem::kNone && destPath.size() < kMaxPathBytes &&
           sourcePath.size() < kMaxPathBytes;
}

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
