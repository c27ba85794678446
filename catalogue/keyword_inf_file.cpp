#include "catalogue/keyword_inf_file.h"

#include "catalogue/inf_scrambling.h"
#include "catalogue/token_reader.h"

bool VLKeywordInfFile::Descramble(uint8_t* bytes, size_t size) {
    DescrambleKeywordScheme(bytes, size);
    return true;
}

int VLKeywordInfFile::GetPackageCount() const { return static_cast<int>(m_packages.size()); }

const VLPackageInfo& VLKeywordInfFile::GetPackage(int index) const {
    if (index < 0 || index >= GetPackageCount()) return m_emptyPackage;
    return m_packages[static_cast<size_t>(index)];
}

bool VLKeywordInfFile::Validate() const {
    for (const VLPackageInfo& package : m_packages) {
        if (package.m_productType.empty()) return false;
    }
    return true;
}

bool VLKeywordInfFile::ParseLine(const std::string& line) {
    if (line.empty()) return true;
    VLLineStream stream(line);
    const std::string keyword = ReadToken(stream);
    if (keyword.empty() || keyword == "START_INF" || keyword == "END_INF") return true;

    if (keyword == "FileVersion") {
        const std::string value = ReadToken(stream);
        if (value.empty()) return false;
        SetFileVersion(ReadNumber(value));
        return true;
    }
    if (keyword == "PackageStart") {
        if (m_inPackageBlock || m_implicitPackage) return false;
        m_inPackageBlock = true;
        m_packages.emplace_back();
        return true;
    }
    if (keyword == "PackageEnd") {
        if (!m_inPackageBlock || m_implicitPackage) return false;
        m_inPackageBlock = false;
        return true;
    }
    if (keyword == "PackageName" || keyword == "PackageID" || keyword == "ProductType" ||
        keyword == "FontType") {
        if (keyword == "FontType" && GetFileVersion() < 5) return false;
        const std::string value = ReadToken(stream);
        if (value.empty()) return false;
        return ApplyPackageKey(keyword, value);
    }
    if (keyword == "Font" || keyword == "AllFont") return AddFontLine(line);
    return false;
}

bool VLKeywordInfFile::ApplyPackageKey(const std::string& keyword, const std::string& value) {
    const bool createsPackage = m_packages.empty();
    VLPackageInfo created;
    VLPackageInfo& package = createsPackage ? created : m_packages.back();

    if (keyword == "PackageName") {
        package.SetPackageName(value);
    } else if (keyword == "PackageID") {
        package.m_packageId = static_cast<uint16_t>(static_cast<uint32_t>(ReadNumber(value)));
    } else if (keyword == "FontType") {
        package.SetFontType(value);
    } else if (!package.SetProductType(value) && createsPackage) {
        // Only a product type that would create the first package rejects the
        // file; on an existing package a wrong length is ignored.
        return false;
    }

    if (createsPackage) {
        m_implicitPackage = true;
        m_packages.push_back(created);
    }
    return true;
}

bool VLKeywordInfFile::AddFontLine(const std::string& line) {
    VLFontInfo font;
    if (!font.ParseFontLine(line)) return false;
    if (!m_inPackageBlock && m_packages.empty()) {
        m_implicitPackage = true;
        m_packages.emplace_back();
        m_packages.back().AddFont(font);
        return true;
    }
    if (!m_inPackageBlock && !m_implicitPackage) return false;  // between blocks
    return m_packages.back().AddFont(font);
}
