#include "codec/font_descrambler.h"

#include "codec/font_scrambling.h"

bool DescrambleFont(int32_t number, uint8_t* buffer, uint32_t size) {
    // Without a checksum byte there is nothing to verify: not a font.
    if (!buffer || size == 0) return false;
    const uint32_t fontBytes = size - 1;
    uint8_t sum = 0;
    for (uint32_t i = 0; i < fontBytes; ++i) {
        int32_t amount = 0;
        if (!ScrambleAmount(number, i, fontBytes, amount)) continue;
        buffer[i] = static_cast<uint8_t>(buffer[i] - static_cast<uint8_t>(amount));
        sum = static_cast<uint8_t>(sum + buffer[i]);
    }
    return sum == buffer[fontBytes];
}
