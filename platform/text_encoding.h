#pragma once

#include <optional>
#include <string>

// Conversions between the program's Shift-JIS texts (code page 932) and UTF-8,
// for the command-line tool's display and for reading UTF-8 manifests.

// Bytes that are not valid Shift-JIS come out as U+FFFD.
std::string ShiftJisToUtf8(const std::string& sjis);
// Nothing when the text holds a character that Shift-JIS cannot represent.
std::optional<std::string> Utf8ToShiftJis(const std::string& utf8);

#ifdef _WIN32
// Shift-JIS text in another ANSI code page (the console's); characters that
// code page lacks become its default character.
std::string ShiftJisToCodePage(const std::string& sjis, unsigned codePage);
#endif
