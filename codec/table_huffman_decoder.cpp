#include "codec/table_huffman_decoder.h"

#include <cstring>

#include "codec/huffman_code.h"

// Table entries (32 bits):
//   bits 0-5   bits the entry consumes (for a link: kPrimaryBits);
//   bits 6-7   symbol count, 1 to 3; 0 for a link or a missing code;
//   literal:   bits 8-15, 16-23, 24-31 the symbols in stream order;
//   link:      bits 8-23 offset of its secondary table in m_sub, 24-28 that table's index bits;
//   missing:   0 (no code starts with these bits).
// Secondary entries are literals of one symbol consuming the bits after the primary index.
namespace {

constexpr unsigned kPrimaryBits = CTableHuffmanDecoder::kPrimaryBits;
constexpr uint32_t kPrimarySize = 1u << kPrimaryBits;
constexpr unsigned kSymbols = 256;
constexpr uint32_t kMissing = 0;

constexpr uint32_t Literal(uint32_t symbol, uint32_t length) {
    return length | 1u << 6 | symbol << 8;
}
constexpr uint32_t Link(uint32_t offset, uint32_t bits) {
    return kPrimaryBits | offset << 8 | bits << 24;
}
inline uint32_t Consumed(uint32_t entry) { return entry & 63; }
inline uint32_t SymbolCount(uint32_t entry) { return (entry >> 6) & 3; }
inline bool IsLink(uint32_t entry) { return entry != kMissing && SymbolCount(entry) == 0; }
inline uint32_t LinkOffset(uint32_t entry) { return (entry >> 8) & 0xFFFF; }
inline uint32_t LinkBits(uint32_t entry) { return entry >> 24; }

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

#if defined(__GNUC__)
#define VL_ALWAYS_INLINE inline __attribute__((always_inline))
#define VL_UNLIKELY(x) __builtin_expect(!!(x), 0)
#else
#define VL_ALWAYS_INLINE inline
#define VL_UNLIKELY(x) (x)
#endif

// Writes the entry's symbols as one 4-byte store (one byte beyond them may be
// written too; the caller leaves room).
VL_ALWAYS_INLINE void StoreSymbols(uint8_t* out, uint32_t entry) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    const uint32_t symbols = entry >> 8;
    std::memcpy(out, &symbols, sizeof symbols);
#else
    out[0] = static_cast<uint8_t>(entry >> 8);
    out[1] = static_cast<uint8_t>(entry >> 16);
    out[2] = static_cast<uint8_t>(entry >> 24);
#endif
}

// The bulk of the stream: runs while 8 input bytes can be loaded at once and 16
// output bytes remain. The buffer holds `bits` valid bits at its top (the bits
// below them are zeros or the stream's own next bits). A refill leaves at least
// 56, enough for four primary lookups of at most kPrimaryBits = 13 bits each,
// and every lookup starts with at least 16 valid bits, enough for a long code.
// Afterwards the reader stands at the first bit not decoded. False when a
// missing code is met; its bits all lie inside the stream, so the tree walk
// meets the same gap.
VL_ALWAYS_INLINE bool FastLoopBody(const uint32_t* multi, const uint32_t* sub, const uint8_t* input,
                                   size_t inputSize, uint8_t*& outRef, uint8_t* outEnd, CBoundedBitReader& reader) {
    static_assert(kPrimaryBits * 3 + 16 <= 56 && kPrimaryBits * 4 <= 56, "four lookups per refill");
    const uint8_t* in = input + (reader.Position() >> 3);
    const uint8_t* const inEnd = input + inputSize;
    const unsigned skip = static_cast<unsigned>(reader.Position() & 7);
    uint8_t* out = outRef;
    if (inEnd - in < 8) return true;
    // Seven whole bytes, then drop the bits the code-length section used.
    uint64_t buffer = LoadBigEndian64(in) & ~uint64_t{0xFF};
    in += 7;
    buffer <<= skip;
    unsigned bits = 56 - skip;

#define VL_DECODE_PRIMARY()                                   \
    entry = multi[buffer >> (64 - kPrimaryBits)];            \
    if (VL_UNLIKELY(SymbolCount(entry) == 0)) goto slow;     \
    StoreSymbols(out, entry);                                \
    out += SymbolCount(entry);                               \
    buffer <<= Consumed(entry);                              \
    bits -= Consumed(entry);

    while (inEnd - in >= 8 && outEnd - out >= 16) {
        uint32_t entry;
        buffer |= LoadBigEndian64(in) >> bits;
        in += (63 - bits) >> 3;
        bits |= 56;
        VL_DECODE_PRIMARY()
        VL_DECODE_PRIMARY()
        VL_DECODE_PRIMARY()
        VL_DECODE_PRIMARY()
        continue;
    slow:
        if (entry == kMissing) return false;
        buffer <<= kPrimaryBits;
        bits -= kPrimaryBits;
        entry = sub[LinkOffset(entry) + (buffer >> (64 - LinkBits(entry)))];
        if (entry == kMissing) return false;
        *out++ = static_cast<uint8_t>(entry >> 8);
        buffer <<= Consumed(entry);
        bits -= Consumed(entry);
    }
#undef VL_DECODE_PRIMARY
    outRef = out;
    reader = CBoundedBitReader(input, inputSize, static_cast<uint64_t>(in - input) * 8u - bits);
    return true;
}

bool FastLoopDefault(const uint32_t* multi, const uint32_t* sub, const uint8_t* input, size_t inputSize,
                     uint8_t*& out, uint8_t* outEnd, CBoundedBitReader& reader) {
    return FastLoopBody(multi, sub, input, inputSize, out, outEnd, reader);
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define VL_HAVE_BMI2_PATH 1
// BMI2's flag-free variable shifts (shlx, shrx) shorten the loop's dependency chain.
__attribute__((target("bmi2"))) bool FastLoopBmi2(const uint32_t* multi, const uint32_t* sub,
                                                  const uint8_t* input, size_t inputSize, uint8_t*& out,
                                                  uint8_t* outEnd, CBoundedBitReader& reader) {
    return FastLoopBody(multi, sub, input, inputSize, out, outEnd, reader);
}

bool HasBmi2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("bmi2") != 0;
    }();
    return has;
}
#endif

bool RunFastLoop(const uint32_t* multi, const uint32_t* sub, const uint8_t* input, size_t inputSize,
                 uint8_t*& out, uint8_t* outEnd, CBoundedBitReader& reader) {
#ifdef VL_HAVE_BMI2_PATH
    if (HasBmi2()) return FastLoopBmi2(multi, sub, input, inputSize, out, outEnd, reader);
#endif
    return FastLoopDefault(multi, sub, input, inputSize, out, outEnd, reader);
}

}  // namespace

VLDecodeStatus CTableHuffmanDecoder::BuildTables(const uint16_t* lengths) {
    uint16_t codes[kSymbols];
    if (!AssignCanonicalCodes(lengths, kSymbols, codes)) return VLDecodeStatus::kOverSubscribed;
    if (!FitsTreePool(lengths, codes)) return VLDecodeStatus::kPoolOverflow;

    // Longest code under each primary index that leads to longer codes.
    uint8_t longest[kPrimarySize] = {};
    for (unsigned s = 0; s < kSymbols; ++s) {
        if (lengths[s] <= kPrimaryBits) continue;
        const uint32_t prefix = static_cast<uint32_t>(codes[s]) >> (lengths[s] - kPrimaryBits);
        if (lengths[s] > longest[prefix]) longest[prefix] = static_cast<uint8_t>(lengths[s]);
    }

    m_single.assign(kPrimarySize, kMissing);
    uint32_t* single = m_single.data();
    for (unsigned s = 0; s < kSymbols; ++s) {
        const unsigned length = lengths[s];
        if (length == 0 || length > kPrimaryBits) continue;
        const uint32_t first = static_cast<uint32_t>(codes[s]) << (kPrimaryBits - length);
        const uint32_t span = 1u << (kPrimaryBits - length);
        for (uint32_t i = 0; i < span; ++i) single[first + i] = Literal(s, length);
    }

    uint32_t subSize = 0;
    for (uint32_t p = 0; p < kPrimarySize; ++p) {
        if (!longest[p]) continue;
        single[p] = Link(subSize, longest[p] - kPrimaryBits);
        subSize += 1u << (longest[p] - kPrimaryBits);
    }
    m_sub.assign(subSize, kMissing);
    for (unsigned s = 0; s < kSymbols; ++s) {
        const unsigned length = lengths[s];
        if (length <= kPrimaryBits) continue;
        const unsigned extra = length - kPrimaryBits;
        const uint32_t link = single[static_cast<uint32_t>(codes[s]) >> extra];
        const unsigned subBits = LinkBits(link);
        const uint32_t rest = static_cast<uint32_t>(codes[s]) & ((1u << extra) - 1);
        const uint32_t first = LinkOffset(link) + (rest << (subBits - extra));
        const uint32_t span = 1u << (subBits - extra);
        for (uint32_t i = 0; i < span; ++i) m_sub[first + i] = Literal(s, extra);
    }

    // Follow a short code with the next one or two while they fit in the index
    // bits: the index's remaining bits are the next code's first bits.
    m_multi = m_single;
    for (uint32_t i = 0; i < kPrimarySize; ++i) {
        uint32_t entry = single[i];
        if (SymbolCount(entry) == 0) continue;
        for (uint32_t count = 1; count < 3; ++count) {
            const uint32_t used = Consumed(entry);
            const uint32_t next = single[(i << used) & (kPrimarySize - 1)];
            if (SymbolCount(next) == 0 || used + Consumed(next) > kPrimaryBits) break;
            entry = (used + Consumed(next)) | (count + 1) << 6 | (entry & 0xFFFF00u) | (next >> 8 & 0xFF) << (8 + 8 * count);
        }
        m_multi[i] = entry;
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

    uint8_t* out = output;
    uint8_t* const outEnd = output + count;
    if (!RunFastLoop(m_multi.data(), m_sub.data(), input, inputSize, out, outEnd, reader)) {
        return VLDecodeStatus::kMissingCode;
    }

    // Exact part: one symbol at a time, checking that its code lies inside the stream.
    const uint32_t* single = m_single.data();
    while (out < outEnd) {
        const uint32_t peek = reader.Peek16();
        uint32_t entry = single[peek >> (16 - kPrimaryBits)];
        if (entry == kMissing) return VLDecodeStatus::kMissingCode;
        uint32_t length = Consumed(entry);
        if (IsLink(entry)) {
            const unsigned subBits = LinkBits(entry);
            const uint32_t index = (peek >> (16 - kPrimaryBits - subBits)) & ((1u << subBits) - 1);
            entry = m_sub[LinkOffset(entry) + index];
            if (entry == kMissing) return VLDecodeStatus::kMissingCode;
            length = kPrimaryBits + Consumed(entry);
        }
        if (!reader.Skip(length)) return VLDecodeStatus::kTruncated;
        *out++ = static_cast<uint8_t>(entry >> 8);
    }
    return VLDecodeStatus::kOk;
}
