#pragma once

#include <cstdint>

// Undoes the per-font scrambling of bytes 0 to size - 2 in place and returns
// whether the checksum byte at size - 1 matches.
bool DescrambleFont(int32_t number, uint8_t* buffer, uint32_t size);
