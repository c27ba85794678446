#include "codec/table_huffman_decoder.h"

#include <cstring>

#include "codec/huffman_code.h"

// Table entries (32 bits):
//   literal: bits 0-7 first symbol, 8-15 second symbol, 16-20 bits consumed by
//            both, 21-25 length of the first code, 26-27 symbol count (1 or 2);
//   link:    kLinkFlag, bits 0-15 offset of the secondary table, 21-25 its index bits;
//   missing: kMissingFlag (no code starts with these bits).
// In a secondary table a literal's lengths count only the bits after the primary index.
namespace {

constexpr unsigned kPrimaryBits = CTableHuffmanDecoder::kPrimaryBits;
constexpr uint32_t kLinkFlag = 1u << 30;
constexpr uint32_t kMissingFlag = 1u << 31;
constexpr unsigned kSymbols = 256;

constexpr uint32_t Literal(uint32_t symbol, uint32_t length) {
    return symbol | length << 16 | length << 21 | 1u << 26;
}
constexpr uint32_t Pair(uint32_t first, uint32_t firstLength, uint32_t second, uint32_t total) {
    return first | second << 8 | total << 16 | firstLength << 21 | 2u << 26;
}
constexpr uint32_t Link(uint32_t offset, uint32_t bits) {
    return kLinkFlag | offset | bits << 21;
}
inline uint32_t ConsumedBits(uint32_t entry) { return (entry >> 16) & 31; }
inline uint32_t FirstLength(uint32_t entry) { return (entry >> 21) & 31; }
inline uint32_t SymbolCount(uint32_t entry) { return (entry >> 26) & 3; }

inline uint64_t LoadBigEndian64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    return __builtin_bswap64(v);
#else
    uint64_t r = 0;
    for (int i = 0; i < 8; ++i) r = r << 8 | p[i];
    return r;
#endif
}

// Exact bit reader for the code-length section and the stream's last bytes.
class CBoundedBitReader {
public:
    CBoundedBitReader(const uint8_t* data, size_t size, uint64_t position = 0)
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

VLDecodeStatus ReadCodeLengths(CBoundedBitReader& reader, uint16_t* lengths) {
    uint16_t previous = 0;
    for (unsigned s = 0; s < kSymbols; ++s) {
        const int flag = reader.ReadBit();
        if (flag < 0) return VLDecodeStatus::kTruncated;
        if (flag == 1) {
            int zeros = 0;
            int bit;
            while ((bit = reader.ReadBit()) == 0) {
                if (++zeros >= 16) return VLDecodeStatus::kLengthTooLong;
            }
            if (bit < 0) return VLDecodeStatus::kTruncated;
            uint32_t gamma = 1;
            for (int i = 0; i < zeros; ++i) {
                bit = reader.ReadBit();
                if (bit < 0) return VLDecodeStatus::kTruncated;
                gamma = gamma << 1 | static_cast<uint32_t>(bit);
            }
            previous = static_cast<uint16_t>(gamma ^ previous);
        }
        if (previous > kMaxCodeLength) return VLDecodeStatus::kLengthTooLong;
        lengths[s] = previous;
    }
    return VLDecodeStatus::kOk;
}

// The tree walk takes its inner nodes from a pool of 256 (root included); a code
// whose tree needs more fails there, so it must fail here too. Inner nodes are
// the distinct proper prefixes of the codes; in canonical order the codes,
// aligned to 16 bits, ascend, so equal prefixes are neighbours.
bool FitsTreePool(const uint16_t* lengths, const uint16_t* codes) {
    uint16_t order[kSymbols];
    unsigned used = 0;
    for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
        for (unsigned s = 0; s < kSymbols; ++s) {
            if (lengths[s] == length) order[used++] = static_cast<uint16_t>(s);
        }
    }
    if (used == 0) return true;
    unsigned inner = 1;
    for (unsigned depth = 1; depth < kMaxCodeLength; ++depth) {
        bool havePrevious = false;
        uint32_t previous = 0;
        for (unsigned i = 0; i < used; ++i) {
            const unsigned s = order[i];
            if (lengths[s] <= depth) continue;
            const uint32_t prefix = static_cast<uint32_t>(codes[s]) >> (lengths[s] - depth);
            if (!havePrevious || prefix != previous) ++inner;
            havePrevious = true;
            previous = prefix;
        }
    }
    return inner <= kSymbols;
}

}  // namespace

VLDecodeStatus CTableHuffmanDecoder::BuildTables(const uint16_t* lengths) {
    uint16_t codes[kSymbols];
    if (!AssignCanonicalCodes(lengths, kSymbols, codes)) return VLDecodeStatus::kOverSubscribed;
    if (!FitsTreePool(lengths, codes)) return VLDecodeStatus::kPoolOverflow;

    constexpr uint32_t primarySize = 1u << kPrimaryBits;
    // Longest code under each primary index that leads to longer codes.
    uint8_t longest[primarySize] = {};
    for (unsigned s = 0; s < kSymbols; ++s) {
        if (lengths[s] <= kPrimaryBits) continue;
        const uint32_t prefix = static_cast<uint32_t>(codes[s]) >> (lengths[s] - kPrimaryBits);
        if (lengths[s] > longest[prefix]) longest[prefix] = static_cast<uint8_t>(lengths[s]);
    }
    uint32_t total = primarySize;
    for (uint32_t p = 0; p < primarySize; ++p) {
        if (longest[p]) total += 1u << (longest[p] - kPrimaryBits);
    }
    m_table.assign(total, kMissingFlag);
    uint32_t* primary = m_table.data();

    for (unsigned s = 0; s < kSymbols; ++s) {
        const unsigned length = lengths[s];
        if (length == 0 || length > kPrimaryBits) continue;
        const uint32_t first = static_cast<uint32_t>(codes[s]) << (kPrimaryBits - length);
        const uint32_t span = 1u << (kPrimaryBits - length);
        for (uint32_t i = 0; i < span; ++i) primary[first + i] = Literal(s, length);
    }

    uint32_t offset = primarySize;
    for (uint32_t p = 0; p < primarySize; ++p) {
        if (!longest[p]) continue;
        primary[p] = Link(offset, longest[p] - kPrimaryBits);
        offset += 1u << (longest[p] - kPrimaryBits);
    }
    for (unsigned s = 0; s < kSymbols; ++s) {
        const unsigned length = lengths[s];
        if (length <= kPrimaryBits) continue;
        const unsigned extra = length - kPrimaryBits;
        const uint32_t prefix = static_cast<uint32_t>(codes[s]) >> extra;
        const uint32_t link = primary[prefix];
        const unsigned subBits = FirstLength(link);
        const uint32_t rest = static_cast<uint32_t>(codes[s]) & ((1u << extra) - 1);
        const uint32_t first = (link & 0xFFFF) + (rest << (subBits - extra));
        const uint32_t span = 1u << (subBits - extra);
        for (uint32_t i = 0; i < span; ++i) m_table[first + i] = Literal(s, extra);
    }

    // Pair a short code with the one after it when both fit in the index bits:
    // the index's remaining bits are the second code's first bits.
    for (uint32_t i = 0; i < primarySize; ++i) {
        const uint32_t entry = primary[i];
        if (entry & (kLinkFlag | kMissingFlag)) continue;
        const uint32_t firstLength = FirstLength(entry);
        const uint32_t next = primary[(i << firstLength) & (primarySize - 1)];
        if (next & (kLinkFlag | kMissingFlag) || SymbolCount(next) != 1) continue;
        const uint32_t secondLength = FirstLength(next);
        if (firstLength + secondLength > kPrimaryBits) continue;
        primary[i] = Pair(entry & 0xFF, firstLength, next & 0xFF, firstLength + secondLength);
    }
    return VLDecodeStatus::kOk;
}

VLDecodeStatus CTableHuffmanDecoder::Decode(const uint8_t* input, size_t inputSize, uint8_t* output,
                                            uint32_t count) {
    if (!input && inputSize > 0) return VLDecodeStatus::kTruncated;
    CBoundedBitReader reader(input, inputSize);
    uint16_t lengths[kSymbols];
    VLDecodeStatus status = ReadCodeLengths(reader, lengths);
    if (status != VLDecodeStatus::kOk) return status;
    status = BuildTables(lengths);
    if (status != VLDecodeStatus::kOk) return status;
    const uint32_t* table = m_table.data();

    uint8_t* out = output;
    uint8_t* const outEnd = output + count;

    // Fast part: while 8 input bytes can be loaded at once and 6 output bytes
    // remain. The buffer holds `bits` valid bits at its top; after a refill at
    // least 56, enough for three lookups of up to 16 bits.
    const uint8_t* const inEnd = input + inputSize;
    const uint8_t* in = input + (reader.Position() >> 3);
    uint64_t buffer = 0;
    unsigned bits = 0;
    if (inEnd - in >= 8) {
        // Seven whole bytes, then drop the bits the code-length section used.
        buffer = LoadBigEndian64(in) & ~uint64_t{0xFF};
        in += 7;
        const unsigned skip = static_cast<unsigned>(reader.Position() & 7);
        buffer <<= skip;
        bits = 56 - skip;
    }

    auto decodeOne = [&](uint32_t& failure) -> bool {
        uint32_t entry = table[buffer >> (64 - kPrimaryBits)];
        if (!(entry & (kLinkFlag | kMissingFlag))) {
            out[0] = static_cast<uint8_t>(entry);
            out[1] = static_cast<uint8_t>(entry >> 8);
            out += SymbolCount(entry);
            const unsigned n = ConsumedBits(entry);
            buffer <<= n;
            bits -= n;
            return true;
        }
        if (entry & kMissingFlag) {
            failure = 1;
            return false;
        }
        buffer <<= kPrimaryBits;
        bits -= kPrimaryBits;
        entry = table[(entry & 0xFFFF) + (buffer >> (64 - FirstLength(entry)))];
        if (entry & kMissingFlag) {
            failure = 1;
            return false;
        }
        *out++ = static_cast<uint8_t>(entry);
        const unsigned n = ConsumedBits(entry);
        buffer <<= n;
        bits -= n;
        return true;
    };

    if (bits > 0) {
        uint32_t failure = 0;
        while (inEnd - in >= 8 && outEnd - out >= 6) {
            buffer |= LoadBigEndian64(in) >> bits;
            in += (63 - bits) >> 3;
            bits |= 56;
            if (!decodeOne(failure) || !decodeOne(failure) || !decodeOne(failure)) {
                return VLDecodeStatus::kMissingCode;
            }
        }
        reader = CBoundedBitReader(input, inputSize, static_cast<uint64_t>(in - input) * 8u - bits);
    }

    // Exact part: one symbol at a time, checking that its code lies inside the stream.
    while (out < outEnd) {
        const uint32_t peek = reader.Peek16();
        uint32_t entry = table[peek >> (16 - kPrimaryBits)];
        if (entry & kMissingFlag) return VLDecodeStatus::kMissingCode;
        uint32_t length = FirstLength(entry);
        if (entry & kLinkFlag) {
            const unsigned subBits = length;
            const uint32_t index = (peek >> (16 - kPrimaryBits - subBits)) & ((1u << subBits) - 1);
            entry = table[(entry & 0xFFFF) + index];
            if (entry & kMissingFlag) return VLDecodeStatus::kMissingCode;
            length = kPrimaryBits + FirstLength(entry);
        }
        if (!reader.Skip(length)) return VLDecodeStatus::kTruncated;
        *out++ = static_cast<uint8_t>(entry);
    }
    return VLDecodeStatus::kOk;
}
