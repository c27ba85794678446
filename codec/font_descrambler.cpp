#include "codec/font_descrambler.h"

#include "codec/font_scrambling.h"

namespace {

// Positions are judged a block at a time: past the first stretches of a font
// whole blocks hold nothing scrambled and are passed over untouched.
constexpr uint32_t kBlock = 4096;

// Whether no position in [start, end) can be scrambled. Where 10k does not
// pass the signed maximum within the block, the amount before its "less 100"
// only grows, so reach = i + d is at least start + d(start) - 100 throughout.
// No reach wraps for fonts up to 2^29 bytes (|d| is at most 2^29 too); a
// larger one, which no decoder gives, has every position judged.
bool BlockIsPlain(int32_t number, uint32_t start, uint32_t end, uint32_t fontBytes) {
    if (fontBytes > (1u << 29)) return false;
    const uint32_t tenK = (static_cast<uint32_t>(number) + start + 1u) * 10u;
    // Flipping the sign bit turns signed order into unsigned order.
    const bool rising = uint64_t{tenK ^ 0x80000000u} + 10u * uint64_t{end - start - 1} <= 0xFFFFFFFFu;
    const int64_t lowestReach = int64_t{start} + static_cast<int32_t>(tenK) / 4 - 100;
    return rising && lowestReach >= int64_t{fontBytes};
}

}  // namespace

bool DescrambleFont(int32_t number, uint8_t* buffer, uint32_t size) {
    // Without a checksum byte there is nothing to verify: not a font.
    if (!buffer || size == 0) return false;
    const uint32_t fontBytes = size - 1;
    uint8_t sum = 0;
    for (uint32_t start = 0; start < fontBytes;) {
        const uint32_t end = fontBytes - start > kBlock ? start + kBlock : fontBytes;
        if (!BlockIsPlain(number, start, end, fontBytes)) {
            for (uint32_t i = start; i < end; ++i) {
                int32_t amount = 0;
                if (!ScrambleAmount(number, i, fontBytes, amount)) continue;
                buffer[i] = static_cast<uint8_t>(buffer[i] - static_cast<uint8_t>(amount));
                sum = static_cast<uint8_t>(sum + buffer[i]);
            }
        }
        start = end;
    }
    return sum == buffer[fontBytes];
}
