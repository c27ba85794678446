#include "catalogue/keyword_inf_file.h"

#include "catalogue/inf_scrambling.h"
#include "catalogue/token_reader.h"

namespace {

// A piece of the file for a reason: at most 32 bytes, whole characters, and
// control bytes shown as '?' so that the message stays one harmless line.
std::string Quoted(const std::string& text) {
    constexpr size_t kMaxBytes = 32;
    std::string quoted = "\"";
    size_t i = 0;
    while (i < text.size()) {
        const size_t length =
            IsShiftJisLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
        if (i + length > kMaxBytes) break;
        for (size_t k = i; k < i + length; ++k) {
            const uint8_t b = static_cast<uint8_t>(text[k]);
            quoted.push_back(b < 0x20 || b == 0x7F ? '?' : text[k]);
        }
        i += length;
    }
    quoted += i < text.size() ? "\"..." : "\"";
    return quoted;
}

}  // namespace

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
    for (size_t i = 0; i < m_packages.size(); ++i) {
        if (m_packages[i].m_productType.empty()) {
            return Reject("package " + std::to_string(i + 1) + " of " + std::to_string(m_packages.size()) +
                          " without ProductType");
        }
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
        if (value.empty()) return Reject("FileVersion without a value");
        SetFileVersion(ReadNumber(value));
        return true;
    }
    if (keyword == "PackageStart") {
        if (m_inPackageBlock) return Reject("PackageStart inside a package block (no PackageEnd before it)");
        if (m_implicitPackage) return Reject("PackageStart after package lines outside any block");
        m_inPackageBlock = true;
        m_packages.emplace_back();
        return true;
    }
    if (keyword == "PackageEnd") {
        if (!m_inPackageBlock || m_implicitPackage) return Reject("PackageEnd without PackageStart");
        m_inPackageBlock = false;
        return true;
    }
    if (keyword == "PackageName" || keyword == "PackageID" || keyword == "ProductType" ||
        keyword == "FontType") {
        if (keyword == "FontType" && GetFileVersion() < 5) {
            return Reject("FontType before FileVersion 5 (the file version is " +
                          std::to_string(GetFileVersion()) + ")");
        }
        const std::string value = ReadToken(stream);
        if (value.empty()) return Reject(keyword + " without a value");
        return ApplyPackageKey(keyword, value);
    }
    if (keyword == "Font" || keyword == "AllFont") return AddFontLine(line);
    return Reject("unknown keyword " + Quoted(keyword));
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
        return Reject("ProductType is not 4 bytes (" + std::to_string(value.size()) + " bytes)");
    }

    if (createsPackage) {
        m_implicitPackage = true;
        m_packages.push_back(created);
    }
    return true;
}

bool VLKeywordInfFile::AddFontLine(const std::string& line) {
    VLFontInfo font;
    std::string problem;
    if (!font.ParseFontLine(line, &problem)) return Reject(problem);
    if (!m_inPackageBlock && m_packages.empty()) {
        m_implicitPackage = true;
        m_packages.emplace_back();
        m_packages.back().AddFont(font);
        return true;
    }
    if (!m_inPackageBlock && !m_implicitPackage) {
        return Reject("Font line outside any package block (after PackageEnd)");
    }
    if (!m_packages.back().AddFont(font)) return Reject("a second all-fonts entry (AllFont) in the package");
    return true;
}
