#pragma once

// The table decoder's inner loops over whole machine words. Internal to the codec.
#include <cstddef>
#include <cstdint>

#include "codec/huffman_tables.h"

namespace vl_table {

// One stream being decoded: the bit position of its next symbol and its limits.
// The loops stop before fewer than 8 bytes remain up to inLimit or fewer than
// 16 output bytes remain up to outLimit, so they never touch memory beyond.
struct FastStream {
    uint64_t position;
    const uint8_t* inLimit;
    uint8_t* out;
    uint8_t* outLimit;
};

// Decodes until a limit; false when a missing code is met (the stream then
// stands right before it).
bool RunFastStream(const Tables& tables, const uint8_t* input, FastStream& stream);

enum class PairStop { kLimit, kMissingFirst, kMissingSecond };
// Decodes two independent streams interleaved, so that the processor overlaps
// their lookups, until either reaches a limit or meets a missing code.
PairStop RunFastStreamPair(const Tables& tables, const uint8_t* input, FastStream& first, FastStream& second);

}  // namespace vl_table
