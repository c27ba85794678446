#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/decode_status.h"

namespace vl_table {
struct Tables;
struct FastStream;
}  // namespace vl_table

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
    // decoded one symbol at a time to find where it falls into step, how
    // many parts (2 to kMaxParts), and whether a second thread takes the
    // later half of them when the processor has a second core (two parts on
    // each core, instead of all four on one). Tests use tiny values so that
    // every path runs often.
    struct SplitPolicy {
        uint32_t minSymbols = 64 * 1024;
        uint32_t syncBits = 4096;
        unsigned parts = kDefaultParts;
        bool secondThread = true;
    };

    VLTableHuffmanDecoder() = default;
    explicit VLTableHuffmanDecoder(const SplitPolicy& split) : m_split(split) {}

    // Decodes count symbols into output, which has room for `room` bytes (at
    // least count). Room past count is scratch space where the later parts
    // are decoded before they move into place; with less than
    // RoomToSplit(count) the stream is decoded in one piece.
    VLDecodeStatus Decode(const uint8_t* input, size_t inputSize, uint8_t* output, uint32_t count,
                          size_t room);
    VLDecodeStatus Decode(const uint8_t* input, size_t inputSize, uint8_t* output, uint32_t count) {
        return Decode(input, inputSize, output, count, count);
    }

    // The room that lets a stream of count symbols be decoded in parts: the
    // count plus a little for parts that give more symbols than their share.
    static uint64_t RoomToSplit(uint32_t count) {
        return uint64_t{count} + kMaxParts * uint64_t{PartSlack(count)};
    }

    // How the last Decode went about a split, for tests: not split, at least
    // one part joined, or the first part's decoder went on alone.
    enum class SplitOutcome { kNotSplit, kJoined, kFirstAlone };
    SplitOutcome GetLastSplitOutcome() const { return m_lastSplit; }

private:
    // How far each later part starts past its expected place in the output.
    // Capped, so that the room a large stream needs grows by a fixed amount.
    static size_t PartSlack(uint32_t count) { return std::min<size_t>(count / 32, 512 * 1024) + 4096 + 64; }

    // Builds the tables from 256 code lengths; the same checks as the tree walk.
    VLDecodeStatus BuildTables(const uint16_t* lengths);
    void RunParts(const vl_table::Tables& tables, const uint8_t* input, size_t inputSize,
                  vl_table::FastStream* const* streams, unsigned count);
    VLDecodeStatus DecodeSplit(const uint8_t* input, size_t inputSize, uint64_t start, uint8_t* output,
                               uint32_t count, size_t room, unsigned parts);

    SplitPolicy m_split;
    SplitOutcome m_lastSplit = SplitOutcome::kNotSplit;
    std::vector<uint64_t> m_boundaries[kMaxParts];  // per part: where its first symbols start

    std::vector<uint32_t> m_multi;   // primary table, up to three symbols per entry
    std::vector<uint32_t> m_single;  // primary table, one symbol per entry (stream end)
    std::vector<uint32_t> m_sub;     // secondary tables for codes longer than kPrimaryBits
};
