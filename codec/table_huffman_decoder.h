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
// Large streams are decoded as two interleaved halves (see DecodeSplit).
class CTableHuffmanDecoder {
public:
    static constexpr unsigned kPrimaryBits = 13;

    // When to decode in two halves, and how many bits of the second half are
    // decoded one symbol at a time to find where it falls into step. Tests use
    // tiny values so that every path runs often.
    struct SplitPolicy {
        uint32_t minSymbols = 64 * 1024;
        uint32_t syncBits = 4096;
    };

    CTableHuffmanDecoder() = default;
    explicit CTableHuffmanDecoder(const SplitPolicy& split) : m_split(split) {}

    VLDecodeStatus Decode(const uint8_t* input, size_t inputSize, uint8_t* output, uint32_t count);

    // How the last Decode went about a split, for tests: not split, the halves
    // joined, or the first decoder went on alone.
    enum class SplitOutcome { kNotSplit, kJoined, kFirstAlone };
    SplitOutcome GetLastSplitOutcome() const { return m_lastSplit; }

private:
    // Builds the tables from 256 code lengths; the same checks as the tree walk.
    VLDecodeStatus BuildTables(const uint16_t* lengths);
    VLDecodeStatus DecodeSplit(const uint8_t* input, size_t inputSize, uint64_t start, uint8_t* output,
                               uint32_t count);

    SplitPolicy m_split;
    SplitOutcome m_lastSplit = SplitOutcome::kNotSplit;
    std::vector<uint64_t> m_boundaries;

    std::vector<uint32_t> m_multi;   // primary table, up to three symbols per entry
    std::vector<uint32_t> m_single;  // primary table, one symbol per entry (stream end)
    std::vector<uint32_t> m_sub;     // secondary tables for codes longer than kPrimaryBits
};
