#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Shift-JIS: a lead byte and the byte after it form one character. The trail
// byte can be 0x5C ('\'), so byte searches for a backslash must skip it.
inline bool IsShiftJisLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Position of the last single-byte occurrence of c, or npos.
inline size_t FindLastSingleByte(const std::string& text, char c) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsShiftJisLeadByte(static_cast<uint8_t>(text[i]))) {
            ++i;
        } else if (text[i] == c) {
            found = i;
        }
    }
    return found;
}

// The folder part of a path, without its last separator ("" for a bare name);
// both separators count, each as a single byte.
inline std::string FolderOfPath(const std::string& path) {
    const size_t backslash = FindLastSingleByte(path, '\\');
    const size_t slash = FindLastSingleByte(path, '/');
    size_t cut = backslash;
    if (slash != std::string::npos && (cut == std::string::npos || slash > cut)) cut = slash;
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}
