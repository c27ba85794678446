#include "codec/bit_writer.h"

void VLBitWriter::WriteBits(uint32_t value, unsigned count) {
    for (unsigned i = count; i-- > 0;) {
        if ((m_nBits & 7) == 0) m_bytes.push_back(0);
        if ((value >> i) & 1) m_bytes.back() |= static_cast<uint8_t>(0x80u >> (m_nBits & 7));
        ++m_nBits;
    }
}

void VLBitWriter::WriteGamma(uint32_t value) {
    unsigned k = 0;
    while ((value >> (k + 1)) != 0) ++k;
    WriteBits(0, k);
    WriteBits(1, 1);
    WriteBits(value & ((1u << k) - 1), k);
}

void VLBitWriter::WriteCodeLengths(const uint16_t* lengths) {
    uint16_t previous = 0;
    for (unsigned s = 0; s < 256; ++s) {
        if (lengths[s] == previous) {
            WriteBits(0, 1);
        } else {
            WriteBits(1, 1);
            WriteGamma(static_cast<uint32_t>(lengths[s] ^ previous));
            previous = lengths[s];
        }
    }
}
