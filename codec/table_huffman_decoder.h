#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "codec/decode_status.h"

// The decoder the installer uses: a primary lookup table indexed by the next
// kPrimaryBits bits, whose entries hold up to three symbols when their codes
// fit together, secondary tables for longer codes, and a machine-word bit
// reader. It yields exactly the bytes of the tree walk (CHuffmanDecoder) and
// fails exactly where the tree walk fails.
// Large streams are decoded as several interleaved parts (see DecodeSplit).
class VLTableHuffmanDecoder {
public:
    static constexpr unsigned kPrimaryBits = 13;
    // Four interleaved parts keep the processor busiest on both targets (see
    // the decode benchmark's parts figures).
    static constexpr unsigned kDefaultParts = 4;
    static constexpr unsigned kMaxParts = 4;

    // When to decode in parts, how many bits of each part after the first are
    // decoded one symbol at a time to find where it falls into step, and how
    // many parts (2 to kMaxParts). Tests use tiny values so that every path runs often.
    struct SplitPolicy {
        uint32_t minSymbols = 64 * 1024;
        uint32_t syncBits = 4096;
        unsigned parts = kDefaultParts;
    };

    VLTableHuffmanDecoder() = default;
    explicit VLTableHuffmanDecoder(const SplitPolicy& split) : m_split(split) {}

    VLDecodeStatus Decode(const uint8_t* input, size_t inputSize, uint8_t* output, uint32_t count);

    // How the last Decode went about a split, for tests: not split, at least
    // one part joined, or the first part's decoder went on alone.
    enum class SplitOutcome { kNotSplit, kJoined, kFirstAlone };
    SplitOutcome GetLastSplitOutcome() const { return m_lastSplit; }

private:
    // Builds the tables from 256 code lengths; the same checks as the tree walk.
    VLDecodeStatus BuildTables(const uint16_t* lengths);
    VLDecodeStatus DecodeSplit(const uint8_t* input, size_t inputSize, uint64_t start, uint8_t* output,
                               uint32_t count, unsigned parts);

    SplitPolicy m_split;
    SplitOutcome m_lastSplit = SplitOutcome::kNotSplit;
    std::vector<uint64_t> m_boundaries[kMaxParts];  // per part: where its first symbols start
    // The later parts' output, kept from one stream to the next when the
    // decoder is (fresh pages cost on first touch).
    std::unique_ptr<uint8_t[]> m_partOutput;
    size_t m_partOutputSize = 0;

    std::vector<uint32_t> m_multi;   // primary table, up to three symbols per entry
    std::vector<uint32_t> m_single;  // primary table, one symbol per entry (stream end)
    std::vector<uint32_t> m_sub;     // secondary tables for codes longer than kPrimaryBits
};
