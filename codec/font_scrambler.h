#pragma once

#include <cstdint>
#include <vector>

// The inverse of DescrambleFont: the font's bytes with the same positions
// scrambled by adding the amounts, followed by the checksum byte (the sum of
// the original bytes at those positions).
std::vector<uint8_t> ScrambleFont(int32_t number, const uint8_t* font, uint32_t size);
