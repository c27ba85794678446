#pragma once

#include <cstdint>
#include <string>

// One font of a package, as one settings-file line describes it. Texts are
// Shift-JIS bytes exactly as they stand in otf.inf.
class VLFontInfo {
public:
    VLFontInfo() = default;
    VLFontInfo(const VLFontInfo&) = default;
    VLFontInfo& operator=(const VLFontInfo&) = default;
    virtual ~VLFontInfo() = default;

    // On false each of these puts the reason into *problem, when given; a
    // reason names a field by its number here, from 0.

    // Field n (counting non-empty fields from 0) of the older comma format.
    bool SetCsvField(const std::string& text, int n, std::string* problem = nullptr);
    // Field n (counting non-empty tokens after the keyword) of a keyword-format font line.
    bool SetKeywordField(const std::string& text, int n, std::string* problem = nullptr);
    // Splits one older-format line at commas and sets its fields.
    bool ParseCsvFields(const std::string& line, std::string* problem = nullptr);
    // Reads a whole `Font ...` or `AllFont ...` line of the keyword format.
    bool ParseFontLine(const std::string& line, std::string* problem = nullptr);

    std::string m_baseName;
    // Numbers a line does not reach stay 0 rather than undefined.
    int32_t m_fileNumber = 0;
    int32_t m_codeHigh = 0;
    int32_t m_codeLow = 0;
    std::string m_versionText;
    int32_t m_version = 0;
    std::string m_extra;
    bool m_isAllFonts = false;
    std::string m_styleName;
    std::string m_familyName;

private:
    // Fields 0 to 4, which both formats share.
    bool SetCommonField(const std::string& text, int n, std::string* problem);
};
