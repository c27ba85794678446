#include "catalogue/font_info.h"

#include <utility>

#include "catalogue/token_reader.h"

namespace {

// Field 3: the text with its first dot removed, read as a number (1.00 gives 100).
int32_t VersionNumber(std::string text) {
    const size_t dot = text.find('.');
    if (dot != std::string::npos) text.erase(dot, 1);
    return ReadNumber(text);
}

bool Refuse(std::string* problem, std::string reason) {
    if (problem) *problem = std::move(reason);
    return false;
}

}  // namespace

bool VLFontInfo::SetCommonField(const std::string& text, int n, std::string* problem) {
    switch (n) {
        case 0:
            m_baseName = text;
            return true;
        case 1:
            if (!IsDigitsOnly(text)) return Refuse(problem, "field 1 (file number) is not digits only");
            m_fileNumber = ReadNumber(text);
            return true;
        case 2:
            if (!IsDigitsOnly(text)) return Refuse(problem, "field 2 (code) is not digits only");
            m_codeHigh = ReadNumber(text.substr(0, 3));
            m_codeLow = text.size() > 3 ? ReadNumber(text.substr(3, 2)) : 0;
            return true;
        case 3:
            m_versionText = text;
            m_version = VersionNumber(text);
            return true;
        case 4:
            m_extra = text;
            return true;
        default:
            return Refuse(problem, "too many fields (field " + std::to_string(n) + ")");
    }
}

bool VLFontInfo::SetCsvField(const std::string& text, int n, std::string* problem) {
    if (n == 5) {
        m_isAllFonts = text.compare(0, 7, "ALLINST") == 0;
        return true;
    }
    return SetCommonField(text, n, problem);
}

bool VLFontInfo::SetKeywordField(const std::string& text, int n, std::string* problem) {
    switch (n) {
        case 5:
            m_familyName = text;
            return true;
        case 6:
            m_styleName = text;
            return true;
        default:
            return SetCommonField(text, n, problem);
    }
}

bool VLFontInfo::ParseCsvFields(const std::string& line, std::string* problem) {
    m_isAllFonts = false;
    int fieldNumber = 0;
    std::string field;
    bool quoting = false;
    auto flush = [&]() {
        if (field.empty()) return true;  // empty fields take no number
        const bool ok = SetCsvField(field, fieldNumber++, problem);
        field.clear();
        return ok;
    };
    for (char c : line) {
        if (c == '"') {
            quoting = !quoting;
        } else if (c == ',' && !quoting) {
            if (!flush()) return false;
        } else {
            field.push_back(c);
        }
    }
    return flush();
}

bool VLFontInfo::ParseFontLine(const std::string& line, std::string* problem) {
    VLLineStream stream(line);
    const std::string keyword = ReadToken(stream);
    if (keyword == "Font") {
        m_isAllFonts = false;
    } else if (keyword == "AllFont") {
        m_isAllFonts = true;
    } else {
        return Refuse(problem, "not a Font or AllFont line");
    }
    int fieldNumber = 0;
    while (stream.pos < line.size()) {
        const std::string token = ReadToken(stream);
        if (token.empty()) continue;
        if (!SetKeywordField(token, fieldNumber++, problem)) return false;
    }
    if (fieldNumber < 5) {
        return Refuse(problem,
                      "Font line with too few fields (" + std::to_string(fieldNumber) + "; it needs 5)");
    }
    return true;
}
