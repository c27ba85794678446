#pragma once

#include <array>
#include <cstdint>

// Huffman code lengths for byte values from their counts, none above maxLength
// (at most 16). A value that never occurs gets 0; a single occurring value
// gets length 1; no values at all give all zeros.
std::array<uint16_t, 256> BuildCodeLengths(const std::array<uint64_t, 256>& counts, unsigned maxLength = 16);
