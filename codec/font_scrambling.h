#pragma once

#include <cstdint>

// The position-dependent amount of the font payload scrambling, in the 32-bit
// two's-complement arithmetic that stored files rely on: k = number + i + 1,
// d = (10k) / 4 (wrapping product, quotient toward zero), less 100 once when
// above 100. True when position i of an n-byte font is scrambled (i + d < n,
// signed); amount then holds d, whose low 8 bits are subtracted.
inline bool ScrambleAmount(int32_t number, uint32_t position, uint32_t fontBytes, int32_t& amount) {
    // Unsigned arithmetic gives the wrap-around without signed overflow.
    const uint32_t k = static_cast<uint32_t>(number) + position + 1u;
    int32_t d = static_cast<int32_t>(k * 10u) / 4;
    if (d > 100) d -= 100;
    const int32_t reach = static_cast<int32_t>(position + static_cast<uint32_t>(d));
    if (reach >= static_cast<int32_t>(fontBytes)) return false;
    amount = d;
    return true;
}
