#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/decode_status.h"

// The decoder the installer uses: a primary lookup table indexed by the next
// kPrimaryBits bits (two symbols per entry where both codes fit), secondary
// tables for longer codes, and a 64-bit bit buffer refilled a word at a time.
// It yields exactly the bytes of the tree walk (CHuffmanDecoder) and fails
// exactly where the tree walk fails.
class CTableHuffmanDecoder {
public:
    static constexpr unsigned kPrimaryBits = 11;

    VLDecodeStatus Decode(const uint8_t* input, size_t inputSize, uint8_t* output, uint32_t count);

private:
    // Builds the tables from 256 code lengths; the same checks as the tree walk.
    VLDecodeStatus BuildTables(const uint16_t* lengths);

    std::vector<uint32_t> m_table;
};
