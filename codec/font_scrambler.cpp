#include "codec/font_scrambler.h"

#include "codec/font_scrambling.h"

std::vector<uint8_t> ScrambleFont(int32_t number, const uint8_t* font, uint32_t size) {
    std::vector<uint8_t> payload(font, font + size);
    uint8_t sum = 0;
    for (uint32_t i = 0; i < size; ++i) {
        int32_t amount = 0;
        if (!ScrambleAmount(number, i, size, amount)) continue;
        sum = static_cast<uint8_t>(sum + payload[i]);
        payload[i] = static_cast<uint8_t>(payload[i] + static_cast<uint8_t>(amount));
    }
    payload.push_back(sum);
    return payload;
}
