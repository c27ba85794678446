#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/decode_status.h"

// The decoder the installer uses: a primary lookup table indexed by the next
// kPrimaryBits bits, whose entries hold up to three symbols when their codes
// fit together, secondary tables for longer codes, and a 64-bit bit buffer
// refilled a word at a time. It yields exactly the bytes of the tree walk
// (CHuffmanDecoder) and fails exactly where the tree walk fails.
class CTableHuffmanDecoder {
public:
    static constexpr unsigned kPrimaryBits = 13;

    VLDecodeStatus Decode(const uint8_t* input, size_t inputSize, uint8_t* output, uint32_t count);

private:
    // Builds the tables from 256 code lengths; the same checks as the tree walk.
    VLDecodeStatus BuildTables(const uint16_t* lengths);

    std::vector<uint32_t> m_multi;   // primary table, up to three symbols per entry
    std::vector<uint32_t> m_single;  // primary table, one symbol per entry (stream end)
    std::vector<uint32_t> m_sub;     // secondary tables for codes longer than kPrimaryBits
};
