#pragma once

#include <cstddef>
#include <string>

// A font's base name comes from otf.inf, which anyone can edit, and becomes
// both the .cmp file read and the font file written. It must be one plain
// file-name component, whatever code page reads it.
enum class VLBaseNameProblem {
    kNone,
    kEmpty,
    kSeparator,          // '\' or '/', also as the trail byte of a double-byte character
    kDotName,            // "." or ".."
    kColon,              // a drive or stream name
    kReservedCharacter,  // < > " | ? *
    kControlCharacter,
    kInvalidShiftJis,  // a lead byte without its trail byte
    kReservedDevice,   // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without extension
    kTrailingDotOrBlank,
    kTooLong,
};

// The longest base name in bytes: a component holds 255, and the longest
// extension added is 4 (".ttf", ".otf", ".cmp").
constexpr size_t kMaxBaseNameBytes = 251;

// The first problem that keeps the Shift-JIS name from being a plain file name.
VLBaseNameProblem CheckBaseName(const std::string& sjisName);

// The reason in English, for the command-line tool ("contains a path separator").
const char* DescribeBaseNameProblem(VLBaseNameProblem problem);
