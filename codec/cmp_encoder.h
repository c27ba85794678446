#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Compresses a payload into a whole .cmp file: 4-byte little-endian size, the
// code-length section, the symbols' canonical codes. Nothing when the payload
// is larger than a decoder accepts.
std::optional<std::vector<uint8_t>> EncodeCmp(const uint8_t* payload, size_t size);

// The same with given code lengths (every occurring byte needs a code); for
// tests that need particular codes. Nothing when a byte has no code.
std::optional<std::vector<uint8_t>> EncodeCmpWithLengths(const uint8_t* payload, size_t size,
                                                         const std::array<uint16_t, 256>& lengths);

// A font as it is shipped: scrambled with its file number, checksum appended,
// compressed.
std::optional<std::vector<uint8_t>> PackFont(int32_t number, const uint8_t* font, size_t size);
