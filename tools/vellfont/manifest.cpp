#include "tools/vellfont/manifest.h"

#include <sstream>

#include "catalogue/base_name_check.h"
#include "platform/shift_jis.h"
#include "platform/text_encoding.h"

namespace {

[[noreturn]] void Refuse(int line, const std::string& message) {
    throw VLManifestError(line > 0 ? "line " + std::to_string(line) + ": " + message : message);
}

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// A decimal number within 0..limit, written with digits only.
bool IsNumberUpTo(const std::string& text, uint64_t limit) {
    if (!IsDigits(text) || text.size() > 10) return false;
    return std::stoull(text) <= limit;
}

// Bytes outside Shift-JIS character pairs (trail bytes can look like ASCII).
template <typename Test>
bool HasSingleByte(const std::string& sjis, Test test) {
    for (size_t i = 0; i < sjis.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(sjis[i]);
        if (IsShiftJisLeadByte(b)) {
            ++i;
        } else if (test(b)) {
            return true;
        }
    }
    return false;
}

// A text the settings file holds as one quoted token. A double quote would end
// it; `#` inside quotes makes the file unreadable; line ends and NUL end the
// line; an empty text is skipped as a field and shifts the fields after it.
std::string InfText(const std::string& utf8, int line, const std::string& what, bool required = true) {
    if (utf8.empty()) {
        if (required) Refuse(line, what + " is empty (otf.inf skips empty fields)");
        return std::string();
    }
    const std::string sjis = ToShiftJis(utf8, line, what);
    if (HasSingleByte(sjis, [](uint8_t b) { return b == '"' || b == '#'; })) {
        Refuse(line, what + " \"" + utf8 + "\" holds a double quote or #, which otf.inf cannot represent");
    }
    if (HasSingleByte(sjis, [](uint8_t b) { return b < 0x20 || b == 0x7F; })) {
        Refuse(line, what + " holds a control character");
    }
    return sjis;
}

std::string Quoted(const std::string& sjis) { return "\"" + sjis + "\""; }

void SetFontKey(VLManifestFont& font, const std::string& key, const std::string& value, int line) {
    if (key == "source")
        font.source = value;
    else if (key == "base-name")
        font.baseName = value;
    else if (key == "file-number")
        font.fileNumber = value;
    else if (key == "code")
        font.code = value;
    else if (key == "version")
        font.version = value;
    else if (key == "extra")
        font.extra = value;
    else if (key == "family")
        font.family = value;
    else if (key == "style")
        font.style = value;
    else if (key == "all-fonts") {
        if (value != "yes" && value != "no") Refuse(line, "all-fonts must be yes or no");
        font.allFonts = value == "yes";
    } else {
        Refuse(line, "unknown font key \"" + key + "\"");
    }
}

void SetPackageKey(VLManifestPackage& package, const std::string& key, const std::string& value, int line) {
    if (key == "name")
        package.name = value;
    else if (key == "product-type")
        package.productType = value;
    else if (key == "id")
        package.id = value;
    else if (key == "font-type")
        package.fontType = value;
    else
        Refuse(line, "unknown package key \"" + key + "\"");
}

void CheckFont(const VLManifestFont& font, std::string& text, bool csv) {
    const int line = font.line;
    if (font.source.empty()) Refuse(line, "font without source");
    const std::string base = InfText(font.baseName, line, "base-name");
    // The base name becomes the .cmp and the installed file's name, and the
    // installer refuses any that is not one plain file name.
    const VLBaseNameProblem problem = CheckBaseName(base);
    if (problem != VLBaseNameProblem::kNone) {
        Refuse(line, "base-name \"" + font.baseName + "\" " + DescribeBaseNameProblem(problem));
    }
    if (!IsNumberUpTo(font.fileNumber, 2147483647u)) {
        Refuse(line, "file-number must be digits only, 0 to 2147483647 (otf.inf has no sign)");
    }
    if (!IsDigits(font.code)) Refuse(line, "code must be digits only");
    text += Quoted(base) + "," + font.fileNumber + "," + font.code + "," +
            Quoted(InfText(font.version, line, "version")) + "," + Quoted(InfText(font.extra, line, "extra"));
    if (csv) {
        if (!font.family.empty() || !font.style.empty()) {
            Refuse(line, "the comma format has no family or style names");
        }
        if (font.allFonts) text += ",ALLINST";
        return;
    }
    if (font.family.empty() && !font.style.empty()) {
        Refuse(line, "style without family: otf.inf would read the style as the family");
    }
    if (!font.family.empty()) text += "," + Quoted(InfText(font.family, line, "family"));
    if (!font.style.empty()) text += "," + Quoted(InfText(font.style, line, "style"));
}

std::string KeywordText(const VLManifest& manifest) {
    if (!IsNumberUpTo(manifest.fileVersion, 2147483647u)) Refuse(0, "file-version must be a number");
    const bool fontTypes = std::stoull(manifest.fileVersion) >= 5;
    std::string text = "START_INF\r\nFileVersion " + manifest.fileVersion + "\r\n";
    for (const VLManifestPackage& package : manifest.packages) {
        const int line = package.line;
        text += "PackageStart\r\n";
        text += "PackageName " + Quoted(InfText(package.name, line, "name")) + "\r\n";
        const std::string type = InfText(package.productType, line, "product-type");
        if (type.size() != 4) {
            Refuse(line, "product-type \"" + package.productType + "\" is " + std::to_string(type.size()) +
                             " bytes in Shift-JIS; otf.inf needs exactly 4");
        }
        text += "ProductType " + Quoted(type) + "\r\n";
        if (!package.id.empty()) {
            if (!IsNumberUpTo(package.id, 65535)) Refuse(line, "id must be a number from 0 to 65535");
            text += "PackageID " + package.id + "\r\n";
        }
        if (!package.fontType.empty()) {
            if (!fontTypes) Refuse(line, "font-type needs file-version 5 or later");
            text += "FontType " + Quoted(InfText(package.fontType, line, "font-type")) + "\r\n";
        }
        for (const VLManifestFont& font : package.fonts) {
            text += font.allFonts ? "AllFont " : "Font ";
            CheckFont(font, text, false);
            text += "\r\n";
        }
        text += "PackageEnd\r\n";
    }
    return text + "END_INF\r\n";
}

std::string CsvText(const VLManifest& manifest) {
    if (manifest.packages.size() != 1) Refuse(0, "the comma format holds exactly one package");
    const VLManifestPackage& package = manifest.packages.front();
    if (!package.name.empty() || !package.productType.empty() || !package.id.empty()) {
        Refuse(package.line, "the comma format stores no package name, product-type or id");
    }
    if (!package.fontType.empty() && package.fontType != "OTF") {
        Refuse(package.line, "the comma format always installs .otf files; font-type must be OTF or absent");
    }
    if (package.fonts.empty()) Refuse(package.line, "the package has no fonts");
    std::string text;
    for (const VLManifestFont& font : package.fonts) {
        CheckFont(font, text, true);
        text += "\r\n";
    }
    return text;
}

}  // namespace

std::string ToShiftJis(const std::string& utf8, int line, const std::string& what) {
    const std::optional<std::string> sjis = Utf8ToShiftJis(utf8);
    if (!sjis) Refuse(line, what + " \"" + utf8 + "\" has a character that Shift-JIS cannot represent");
    return *sjis;
}

VLManifest ParseManifest(const std::string& utf8) {
    VLManifest manifest;
    std::istringstream lines(utf8);
    std::string raw;
    int line = 0;
    enum { kFile, kPackage, kFont } section = kFile;
    while (std::getline(lines, raw)) {
        ++line;
        if (line == 1 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0) raw.erase(0, 3);
        const std::string text = Trim(raw);
        if (text.empty() || text[0] == '#') continue;
        if (text == "[package]") {
            manifest.packages.emplace_back();
            manifest.packages.back().line = line;
            section = kPackage;
            continue;
        }
        if (text == "[font]") {
            if (manifest.packages.empty()) Refuse(line, "[font] before any [package]");
            manifest.packages.back().fonts.emplace_back();
            manifest.packages.back().fonts.back().line = line;
            section = kFont;
            continue;
        }
        if (text[0] == '[') Refuse(line, "unknown section " + text);
        const size_t equals = text.find('=');
        if (equals == std::string::npos) Refuse(line, "expected key = value");
        const std::string key = Trim(text.substr(0, equals));
        const std::string value = Trim(text.substr(equals + 1));
        if (section == kFile) {
            if (key == "format") {
                if (value != "keyword" && value != "csv") Refuse(line, "format must be keyword or csv");
                manifest.csvFormat = value == "csv";
            } else if (key == "file-version") {
                manifest.fileVersion = value;
            } else {
                Refuse(line, "unknown key \"" + key + "\" before the first [package]");
            }
        } else if (section == kPackage) {
            SetPackageKey(manifest.packages.back(), key, value, line);
        } else {
            SetFontKey(manifest.packages.back().fonts.back(), key, value, line);
        }
    }
    if (manifest.packages.empty()) Refuse(0, "no [package] section");
    for (const VLManifestPackage& package : manifest.packages) {
        int allFonts = 0;
        for (const VLManifestFont& font : package.fonts) {
            if (font.allFonts && ++allFonts > 1) Refuse(font.line, "a second all-fonts entry in one package");
        }
    }
    return manifest;
}

std::string BuildInfText(const VLManifest& manifest) {
    return manifest.csvFormat ? CsvText(manifest) : KeywordText(manifest);
}
