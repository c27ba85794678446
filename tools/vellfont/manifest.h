#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The package manifest that `vellfont pack` reads: a UTF-8 text a vendor writes
// by hand. Lines are `key = value` (blanks around both trimmed) or a section
// header `[package]` / `[font]`; a line whose first non-blank is `#` is a
// comment. Keys before the first section describe the file:
//   format = keyword | csv          (default keyword)
//   file-version = N                (keyword format; default 5)
// [package]: name, product-type (4 bytes in Shift-JIS), id (0-65535, optional),
//            font-type (TTF or OTF; keyword format only)
// [font] (belongs to the package above it): source (font file, relative to the
//            manifest's folder), base-name, file-number (0-2147483647), code
//            (digits), version, extra, family, style (both optional),
//            all-fonts (yes/no, default no)
// The comma format holds one package with no name, type or id of its own, and
// fonts without family or style names.

struct VLManifestFont {
    int line = 0;
    std::string source;
    std::string baseName;
    std::string fileNumber;
    std::string code;
    std::string version;
    std::string extra;
    std::string family;
    std::string style;
    bool allFonts = false;
};

struct VLManifestPackage {
    int line = 0;
    std::string name;
    std::string productType;
    std::string id;
    std::string fontType;
    std::vector<VLManifestFont> fonts;
};

struct VLManifest {
    bool csvFormat = false;
    std::string fileVersion = "5";
    std::vector<VLManifestPackage> packages;
};

// A manifest that cannot be used or cannot be written as otf.inf; the text
// names the line and says why.
class VLManifestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the manifest text; throws VLManifestError.
VLManifest ParseManifest(const std::string& utf8);

// The plain (not yet scrambled) otf.inf text in Shift-JIS with CR LF line ends.
// Throws VLManifestError for anything the settings file cannot represent.
std::string BuildInfText(const VLManifest& manifest);

// A manifest text (UTF-8) as Shift-JIS; throws VLManifestError naming what when
// a character has no Shift-JIS form.
std::string ToShiftJis(const std::string& utf8, int line, const std::string& what);
