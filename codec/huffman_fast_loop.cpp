#include "codec/huffman_fast_loop.h"

#include <cstring>
#include <type_traits>

#include "codec/huffman_code.h"

namespace vl_table {
namespace {

#if defined(__GNUC__)
#define VL_ALWAYS_INLINE inline __attribute__((always_inline))
#define VL_UNLIKELY(x) __builtin_expect(!!(x), 0)
#else
#define VL_ALWAYS_INLINE inline
#define VL_UNLIKELY(x) (x)
#endif

VL_ALWAYS_INLINE uint64_t LoadBigEndian64(const uint8_t* p) {
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

VL_ALWAYS_INLINE uint32_t LoadBigEndian32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    return __builtin_bswap32(v);
#else
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
#endif
}

// The bit buffer is a machine word: a refill tops it up to at least kFill bits
// with whole bytes, enough for kSteps lookups (a long code only as the last).
// A 64-bit word on 64-bit targets; on 32-bit ones two registers per 64-bit
// shift cost more than the extra refills of a 32-bit word.
template <typename Word>
struct WordTraits;
template <>
struct WordTraits<uint64_t> {
    static constexpr unsigned kBits = 64;
    static constexpr unsigned kFill = 56;
    static constexpr unsigned kSteps = 4;
    static uint64_t Load(const uint8_t* p) { return LoadBigEndian64(p); }
};
template <>
struct WordTraits<uint32_t> {
    static constexpr unsigned kBits = 32;
    static constexpr unsigned kFill = 24;
    static constexpr unsigned kSteps = 1;
    static uint32_t Load(const uint8_t* p) { return LoadBigEndian32(p); }
};
#if defined(VL_FAST_WORD_BITS) && VL_FAST_WORD_BITS == 32
using FastWord = uint32_t;
#elif defined(VL_FAST_WORD_BITS) && VL_FAST_WORD_BITS == 64
using FastWord = uint64_t;
#else
using FastWord = std::conditional_t<(sizeof(void*) >= 8), uint64_t, uint32_t>;
#endif

template <typename Word>
struct Cursor {
    using Traits = WordTraits<Word>;
    static_assert(kPrimaryBits * (Traits::kSteps - 1) + kMaxCodeLength <= Traits::kFill, "refill too small");

    const uint8_t* in;  // first byte not yet in the buffer
    Word buffer;        // `bits` valid bits at the top; below them zeros or the stream's next bits
    unsigned bits;

    VL_ALWAYS_INLINE void Start(const uint8_t* input, uint64_t position) {
        in = input + (position >> 3);
        const unsigned skip = static_cast<unsigned>(position & 7);
        // Whole bytes but the last, then drop the bits before the position.
        buffer = static_cast<Word>((Traits::Load(in) & ~Word{0xFF}) << skip);
        in += sizeof(Word) - 1;
        bits = Traits::kBits - 8 - skip;
    }
    VL_ALWAYS_INLINE uint64_t Position(const uint8_t* input) const {
        return static_cast<uint64_t>(in - input) * 8u - bits;
    }
    VL_ALWAYS_INLINE void Refill() {
        buffer |= Traits::Load(in) >> bits;
        in += (Traits::kBits - 1 - bits) >> 3;
        bits |= Traits::kFill;
    }
    VL_ALWAYS_INLINE uint32_t Index() const { return static_cast<uint32_t>(buffer >> (Traits::kBits - kPrimaryBits)); }
    VL_ALWAYS_INLINE void Consume(unsigned n) {
        buffer <<= n;
        bits -= n;
    }
};

VL_ALWAYS_INLINE bool HasRoom(const uint8_t* in, const FastStream& s, uint8_t* out) {
    return s.inLimit - in >= 8 && s.outLimit - out >= 16;
}

// Writes the entry's symbols as one 4-byte store (the byte after them may be
// written too; the loops keep 16 bytes of room).
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

// A code longer than the primary index, or a missing one: false, with the
// cursor left before the code, when the bits lead to no symbol.
template <typename Word>
VL_ALWAYS_INLINE bool LongCode(Cursor<Word>& c, uint8_t*& out, uint32_t entry, const uint32_t* sub) {
    if (entry == kMissing) return false;
    const Word rest = static_cast<Word>(c.buffer << kPrimaryBits);
    const uint32_t second = sub[LinkOffset(entry) + static_cast<uint32_t>(rest >> (WordTraits<Word>::kBits - LinkBits(entry)))];
    if (second == kMissing) return false;
    *out++ = static_cast<uint8_t>(second >> 8);
    c.buffer = static_cast<Word>(rest << Consumed(second));
    c.bits -= kPrimaryBits + Consumed(second);
    return true;
}

// One lookup: up to three symbols whose codes fit in the primary index.
#define VL_STEP(c, out, slow)                                \
    entry = multi[c.Index()];                                \
    if (VL_UNLIKELY(SymbolCount(entry) == 0)) goto slow;     \
    StoreSymbols(out, entry);                                \
    out += SymbolCount(entry);                               \
    c.Consume(Consumed(entry));

template <typename Word>
VL_ALWAYS_INLINE bool SingleBody(const Tables& tables, const uint8_t* input, FastStream& stream) {
    if (stream.inLimit - (input + (stream.position >> 3)) < 8) return true;
    Cursor<Word> c;
    c.Start(input, stream.position);
    uint8_t* out = stream.out;
    const uint32_t* const multi = tables.multi;
    bool ok = true;
    while (HasRoom(c.in, stream, out)) {
        uint32_t entry;
        c.Refill();
        for (unsigned k = 0; k < WordTraits<Word>::kSteps; ++k) {
            VL_STEP(c, out, slow)
        }
        continue;
    slow:
        if (!LongCode(c, out, entry, tables.sub)) {
            ok = false;
            break;
        }
    }
    stream.position = c.Position(input);
    stream.out = out;
    return ok;
}

template <typename Word>
VL_ALWAYS_INLINE PairStop PairBody(const Tables& tables, const uint8_t* input, FastStream& first,
                                   FastStream& second) {
    if (first.inLimit - (input + (first.position >> 3)) < 8 || second.inLimit - (input + (second.position >> 3)) < 8) {
        return PairStop::kLimit;
    }
    Cursor<Word> a;
    Cursor<Word> b;
    a.Start(input, first.position);
    b.Start(input, second.position);
    uint8_t* outA = first.out;
    uint8_t* outB = second.out;
    const uint32_t* const multi = tables.multi;
    PairStop stop = PairStop::kLimit;
    while (HasRoom(a.in, first, outA) && HasRoom(b.in, second, outB)) {
        uint32_t entry;
        a.Refill();
        b.Refill();
        for (unsigned k = 0; k < WordTraits<Word>::kSteps; ++k) {
            VL_STEP(a, outA, slowA)
            VL_STEP(b, outB, slowB)
        }
        continue;
    slowA:
        if (!LongCode(a, outA, entry, tables.sub)) {
            stop = PairStop::kMissingFirst;
            break;
        }
        continue;
    slowB:
        if (!LongCode(b, outB, entry, tables.sub)) {
            stop = PairStop::kMissingSecond;
            break;
        }
    }
    first.position = a.Position(input);
    first.out = outA;
    second.position = b.Position(input);
    second.out = outB;
    return stop;
}

#undef VL_STEP

bool SingleDefault(const Tables& tables, const uint8_t* input, FastStream& stream) {
    return SingleBody<FastWord>(tables, input, stream);
}
PairStop PairDefault(const Tables& tables, const uint8_t* input, FastStream& first, FastStream& second) {
    return PairBody<FastWord>(tables, input, first, second);
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define VL_HAVE_BMI2_PATH 1
// BMI2's flag-free variable shifts (shlx, shrx) shorten the loops' dependency chains.
__attribute__((target("bmi2"))) bool SingleBmi2(const Tables& tables, const uint8_t* input, FastStream& stream) {
    return SingleBody<FastWord>(tables, input, stream);
}
__attribute__((target("bmi2"))) PairStop PairBmi2(const Tables& tables, const uint8_t* input, FastStream& first,
                                                  FastStream& second) {
    return PairBody<FastWord>(tables, input, first, second);
}

bool HasBmi2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("bmi2") != 0;
    }();
    return has;
}
#endif

}  // namespace

bool RunFastStream(const Tables& tables, const uint8_t* input, FastStream& stream) {
#ifdef VL_HAVE_BMI2_PATH
    if (HasBmi2()) return SingleBmi2(tables, input, stream);
#endif
    return SingleDefault(tables, input, stream);
}

PairStop RunFastStreamPair(const Tables& tables, const uint8_t* input, FastStream& first, FastStream& second) {
#ifdef VL_HAVE_BMI2_PATH
    if (HasBmi2()) return PairBmi2(tables, input, first, second);
#endif
    return PairDefault(tables, input, first, second);
}

}  // namespace vl_table
