#pragma once

#include <cstdint>

#include "codec/decode_status.h"

// Largest decoded size accepted. Fonts are far smaller; the cap keeps a forged
// size field from asking the 32-bit program for most of its address space.
constexpr uint32_t kMaxDecodedSize = 512u * 1024u * 1024u;

// Every symbol takes at least one bit, so a stream of fileSize - 4 bytes cannot
// decode to more than 8 * (fileSize - 4) bytes. Checked before allocating.
inline VLDecodeStatus CheckDecodedSize(uint32_t decodedSize, uint64_t streamBytes) {
    if (decodedSize > kMaxDecodedSize) return VLDecodeStatus::kSizeImpossible;
    if (static_cast<uint64_t>(decodedSize) > streamBytes * 8u) return VLDecodeStatus::kSizeImpossible;
    return VLDecodeStatus::kOk;
}
