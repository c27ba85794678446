#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The .cmp checksum covers only a font's first few thousand bytes, so a tool
// that checks a package also checks the TrueType/OpenType structure: every
// table inside the file and its checksum (the head table's adjustment field
// counted as 0), for a single font and for each font of a collection.
enum class VLSfntCheck {
    kSound,
    kNotSfnt,           // neither a font nor a collection header: nothing to check
    kBroken,            // a table directory or a table outside the file
    kChecksumMismatch,  // sound structure, a stale or damaged table checksum
};

VLSfntCheck CheckSfntTables(const uint8_t* data, size_t size, std::string& problem);
