#pragma once

#include <cstddef>
#include <string>

#include "catalogue/font_info.h"

// The longest path the system's ANSI file calls take, with its zero byte.
constexpr size_t kMaxPathBytes = 260;

// The font's .cmp file: the FONTDATA folder and the base name with exactly
// one backslash between them.
std::string SourcePathOf(const std::string& fontDataDir, const std::string& baseName);

// Whether a package's name may be used at all: a plain file name (the
// package could otherwise reach outside both folders) whose paths fit the
// system's file calls.
bool NamesAreSafe(const std::string& baseName, const std::string& sourcePath, const std::string& destPath);

// The font file's name and the name of its value under the Fonts key.
struct VLFontNames {
    std::string fileName;
    std::string valueName;
};

// The name a TrueType font is registered by: family, a space and style, or
// the base name when both are empty.
std::string GetDisplayName(const VLFontInfo& font);

// The naming table, by the package's font type (exact, case-sensitive):
//   "OTF": base + " (OpenType)" below version 6, base + " (TrueType)" from 6 on; base + ".otf"
//   "TTF": display name + " (TrueType)"; base + ".ttf"
// False for any other type: such a font is neither written nor registered.
bool ChooseFontNames(const std::string& fontType, const VLFontInfo& font, bool version6OrLater,
                     VLFontNames& names);
