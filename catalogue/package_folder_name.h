#pragma once

#include <string>

// The folder name used when a package gets a font folder of its own
// (natively, below the user's or the machine's font folder).
constexpr char kFallbackPackageFolder[] = "vell-fonts";

// The package's product type (Shift-JIS bytes from otf.inf, which anyone can
// edit) made a safe folder name: ASCII letters, digits, '-', '_' and '.', and
// double-byte characters whose trail byte is no backslash, are kept; every
// other byte goes, as do leading and trailing dots (a leading dot hides the
// folder from font scanners). At most 64 bytes. kFallbackPackageFolder when
// nothing safe remains.
std::string PackageFolderName(const std::string& productType);
