#include "catalogue/package_info.h"

#include <cstdio>

bool VLPackageInfo::AddFont(const VLFontInfo& font) {
    if (font.m_isAllFonts) {
        if (m_allFontsIndex != -1) return false;
        m_allFontsIndex = static_cast<int32_t>(m_fonts.size());
    }
    m_fonts.push_back(font);
    return true;
}

bool VLPackageInfo::SetPackageName(const std::string& name) {
    m_packageName = name;
    return true;
}

bool VLPackageInfo::SetProductType(const std::string& type) {
    if (type.size() != 4) return false;
    m_productType = type;
    return true;
}

bool VLPackageInfo::SetFontType(const std::string& type) {
    m_fontType = type;
    return true;
}

std::string VLPackageInfo::GetOutputFileName(int index) const {
    const VLFontInfo& font = m_fonts.at(static_cast<size_t>(index));
    return font.m_baseName + (m_fontType == "TTF" ? ".ttf" : ".otf");
}

std::string VLPackageInfo::FormatFontLabel(int index, bool padded) const {
    const VLFontInfo& font = m_fonts.at(static_cast<size_t>(index));
    const std::string fileName = GetOutputFileName(index);
    if (font.m_familyName.empty() && font.m_styleName.empty()) return fileName;

    // Names hold no NUL bytes (lines are cut at the first one), so the printf
    // length is the byte length; the label is never truncated.
    const char* format = padded ? "%-30s(%s %s)" : "%s(%s %s)";
    const int length = std::snprintf(nullptr, 0, format, fileName.c_str(), font.m_familyName.c_str(),
                                     font.m_styleName.c_str());
    if (length <= 0) return fileName;
    std::string label(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&label[0], label.size(), format, fileName.c_str(), font.m_familyName.c_str(),
                  font.m_styleName.c_str());
    label.resize(static_cast<size_t>(length));
    return label;
}
