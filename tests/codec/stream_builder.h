#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "codec/bit_writer.h"

// Hand-made .cmp files for tests: a size field, a code-length section written
// from the given lengths (valid or not), then raw bits.
struct StreamBuilder {
    explicit StreamBuilder(uint32_t decodedSize) {
        for (int i = 0; i < 4; ++i) writer.WriteBits((decodedSize >> (8 * i)) & 0xFF, 8);
    }
    StreamBuilder& Lengths(const std::array<uint16_t, 256>& lengths) {
        writer.WriteCodeLengths(lengths.data());
        return *this;
    }
    // Bits given as text, e.g. "0110"; other characters are ignored.
    StreamBuilder& Bits(const char* text) {
        for (; *text; ++text) {
            if (*text == '0' || *text == '1') writer.WriteBits(*text == '1', 1);
        }
        return *this;
    }
    std::vector<uint8_t> Bytes() const { return writer.Bytes(); }

    VLBitWriter writer;
};

// Lengths with the given symbols set and every other symbol absent.
inline std::array<uint16_t, 256> LengthsOf(std::initializer_list<std::pair<int, int>> symbolLengths) {
    std::array<uint16_t, 256> lengths{};
    for (const auto& [symbol, length] : symbolLengths)
        lengths[static_cast<size_t>(symbol)] = static_cast<uint16_t>(length);
    return lengths;
}
