#pragma once

// The table decoder's shared pieces: entry layout, the exact bit reader and
// one-symbol decoding. Internal to the codec.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "codec/decode_status.h"
#include "codec/table_huffman_decoder.h"

// Table entries (32 bits):
//   bits 0-23  literal: up to three symbols in stream order (byte 0 first), so
//              that one little-endian store writes them; link: bits 0-15 the
//              offset of its secondary table, 16-20 that table's index bits;
//   bits 24-29 bits the entry consumes (for a link: kPrimaryBits);
//   bits 30-31 symbol count, 1 to 3; 0 for a link or a missing code;
//   missing:   0 (no code starts with these bits).
// The top byte alone is a shift amount (modulo 64) and one shift gives the
// count, which the inner loops rely on.
// Secondary entries are literals of one symbol consuming the bits after the primary index.
namespace vl_table {

constexpr unsigned kPrimaryBits = VLTableHuffmanDecoder::kPrimaryBits;
constexpr uint32_t kPrimarySize = 1u << kPrimaryBits;
constexpr unsigned kSymbols = 256;
constexpr uint32_t kMissing = 0;

constexpr uint32_t Literal(uint32_t symbol, uint32_t length) { return symbol | length << 24 | 1u << 30; }
constexpr uint32_t Link(uint32_t offset, uint32_t bits) {
    return offset | bits << 16 | uint32_t{kPrimaryBits} << 24;
}
inline uint32_t Consumed(uint32_t entry) { return (entry >> 24) & 63; }
inline uint32_t SymbolCount(uint32_t entry) { return entry >> 30; }
// Appends a symbol of `length` bits to a literal holding fewer than three.
inline uint32_t AppendSymbol(uint32_t entry, uint32_t symbol, uint32_t length) {
    const uint32_t count = SymbolCount(entry);
    return (entry & 0xFFFFFFu) | symbol << (8 * count) | (Consumed(entry) + length) << 24 | (count + 1) << 30;
}
inline uint8_t FirstSymbol(uint32_t entry) { return static_cast<uint8_t>(entry); }
inline bool IsLink(uint32_t entry) { return entry != kMissing && SymbolCount(entry) == 0; }
inline uint32_t LinkOffset(uint32_t entry) { return entry & 0xFFFF; }
inline uint32_t LinkBits(uint32_t entry) { return (entry >> 16) & 31; }

struct Tables {
    const uint32_t* multi;   // primary, up to three symbols per entry
    const uint32_t* single;  // primary, one symbol per entry
    const uint32_t* sub;     // secondary tables
};

// Exact bit reader for the code-length section and the stream's last bytes.
class VLBoundedBitReader {
public:
    VLBoundedBitReader(const uint8_t* data, size_t size, uint64_t position = 0)
        : m_pData(data), m_nTotalBits(static_cast<uint64_t>(size) * 8u), m_nPosition(position) {}

    int ReadBit() {
        if (m_nPosition >= m_nTotalBits) return -1;
        const int bit = (m_pData[m_nPosition >> 3] >> (7 - (m_nPosition & 7))) & 1;
        ++m_nPosition;
        return bit;
    }
    // The next 16 bits, zeros beyond the end.
    uint32_t Peek16() const {
        uint32_t v = 0;
        const uint64_t byte = m_nPosition >> 3;
        for (uint64_t i = 0; i < 3; ++i) {
            v <<= 8;
            if ((byte + i) * 8u < m_nTotalBits) v |= m_pData[byte + i];
        }
        return (v >> (8 - (m_nPosition & 7))) & 0xFFFF;
    }
    bool Skip(uint32_t bits) {
        if (bits > m_nTotalBits - m_nPosition) return false;
        m_nPosition += bits;
        return true;
    }
    uint64_t Position() const { return m_nPosition; }

private:
    const uint8_t* m_pData;
    uint64_t m_nTotalBits;
    uint64_t m_nPosition;
};

// Decodes one symbol at the reader's position, checking that its code lies
// inside the stream; the reader moves past it.
inline VLDecodeStatus DecodeExactSymbol(const Tables& tables, VLBoundedBitReader& reader, uint8_t& symbol) {
    const uint32_t peek = reader.Peek16();
    uint32_t entry = tables.single[peek >> (16 - kPrimaryBits)];
    if (entry == kMissing) return VLDecodeStatus::kMissingCode;
    uint32_t length = Consumed(entry);
    if (IsLink(entry)) {
        const unsigned subBits = LinkBits(entry);
        const uint32_t index = (peek >> (16 - kPrimaryBits - subBits)) & ((1u << subBits) - 1);
        entry = tables.sub[LinkOffset(entry) + index];
        if (entry == kMissing) return VLDecodeStatus::kMissingCode;
        length = kPrimaryBits + Consumed(entry);
    }
    if (!reader.Skip(length)) return VLDecodeStatus::kTruncated;
    symbol = FirstSymbol(entry);
    return VLDecodeStatus::kOk;
}

}  // namespace vl_table
