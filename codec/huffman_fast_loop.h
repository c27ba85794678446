#pragma once

// The table decoder's inner loops over whole machine words. Internal to the codec.
#include <cstddef>
#include <cstdint>

#include "codec/huffman_tables.h"

namespace vl_table {

// One stream being decoded: the bit position of its next symbol and its limits.
// The loops stop before fewer than kInputMargin bytes remain up to inLimit or
// fewer than kOutputMargin output bytes remain up to outLimit, so they never
// touch memory beyond either.
struct FastStream {
    uint64_t position;
    const uint8_t* inLimit;
    uint8_t* out;
    uint8_t* outLimit;
    bool missing = false;  // set when it stopped at a missing code (standing right before it)
};

constexpr size_t kInputMargin = 32;
constexpr size_t kOutputMargin = 16;
// Streams decoded interleaved at most, so that the processor overlaps their lookups.
constexpr unsigned kMaxInterleaved = 4;

// Decodes `count` (1 to kMaxInterleaved) independent streams interleaved, each
// until its limits or a missing code; when one stops the others go on.
void RunFastStreams(const Tables& tables, const uint8_t* input, size_t inputSize, FastStream* const* streams,
                    unsigned count);

// One stream; false when it stopped at a missing code.
inline bool RunFastStream(const Tables& tables, const uint8_t* input, size_t inputSize, FastStream& stream) {
    FastStream* const streams[] = {&stream};
    RunFastStreams(tables, input, inputSize, streams, 1);
    return !stream.missing;
}

}  // namespace vl_table
