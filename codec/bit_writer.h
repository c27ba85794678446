#pragma once

#include <cstdint>
#include <vector>

// Writes a .cmp bit stream: most significant bit of each byte first, every
// field most significant bit first; the last byte is padded with zeros.
class VLBitWriter {
public:
    void WriteBits(uint32_t value, unsigned count);
    // Elias gamma: k zeros, a one, the k bits below the top bit of value (> 0).
    void WriteGamma(uint32_t value);
    // The code-length section for 256 symbols: per symbol a flag bit, and after
    // a 1 the gamma of (length XOR previous length). Lengths are written as
    // given, so tests can write invalid ones.
    void WriteCodeLengths(const uint16_t* lengths);

    uint64_t BitCount() const { return m_nBits; }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
    uint64_t m_nBits = 0;
};
