#pragma once

// The table decoder's inner loops over whole 64-bit words. Internal to the codec.
#include <cstddef>
#include <cstdint>

#include "codec/huffman_tables.h"

namespace vl_table {

// One stream being decoded. The buffer holds `bits` valid bits at its top (the
// bits below them are zeros or the stream's own next bits); `in` is the first
// byte not yet in it. The loops stop before fewer than 8 bytes remain up to
// inLimit or fewer than 16 output bytes remain up to outLimit.
struct FastStream {
    const uint8_t* in;
    const uint8_t* inLimit;
    uint64_t buffer;
    unsigned bits;
    uint8_t* out;
    uint8_t* outLimit;
};

// Starts the stream at a bit position of input; false when fewer than 8 bytes
// remain there before inLimit (the stream is then unusable).
bool StartFastStream(FastStream& stream, const uint8_t* input, uint64_t position);
// The bit position of the next undecoded bit.
inline uint64_t FastStreamPosition(const FastStream& stream, const uint8_t* input) {
    return static_cast<uint64_t>(stream.in - input) * 8u - stream.bits;
}

// Decodes until a limit; false when a missing code is met (the stream stops
// right before it).
bool RunFastStream(const Tables& tables, FastStream& stream);

enum class PairStop { kLimit, kMissingFirst, kMissingSecond };
// Decodes two independent streams interleaved, so that the processor overlaps
// their lookups, until either reaches a limit or meets a missing code.
PairStop RunFastStreamPair(const Tables& tables, FastStream& first, FastStream& second);

}  // namespace vl_table
