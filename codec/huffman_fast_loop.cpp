#include "codec/huffman_fast_loop.h"

#include <cstring>

namespace vl_table {
namespace {

#if defined(__GNUC__)
#define VL_ALWAYS_INLINE inline __attribute__((always_inline))
#define VL_UNLIKELY(x) __builtin_expect(!!(x), 0)
#else
#define VL_ALWAYS_INLINE inline
#define VL_UNLIKELY(x) (x)
#endif

static_assert(kPrimaryBits * 3 + 16 <= 56 && kPrimaryBits * 4 <= 56,
              "a refill must leave room for three short codes and a long one");

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

// Tops the buffer up to at least 56 bits with whole bytes.
VL_ALWAYS_INLINE void Refill(FastStream& s) {
    s.buffer |= LoadBigEndian64(s.in) >> s.bits;
    s.in += (63 - s.bits) >> 3;
    s.bits |= 56;
}

VL_ALWAYS_INLINE bool HasRoom(const FastStream& s) {
    return s.inLimit - s.in >= 8 && s.outLimit - s.out >= 16;
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
// stream left before the code, when the bits lead to no symbol.
VL_ALWAYS_INLINE bool LongCode(FastStream& s, uint32_t entry, const uint32_t* sub) {
    if (entry == kMissing) return false;
    const uint64_t rest = s.buffer << kPrimaryBits;
    const uint32_t second = sub[LinkOffset(entry) + (rest >> (64 - LinkBits(entry)))];
    if (second == kMissing) return false;
    *s.out++ = static_cast<uint8_t>(second >> 8);
    s.buffer = rest << Consumed(second);
    s.bits -= kPrimaryBits + Consumed(second);
    return true;
}

// One lookup: up to three symbols whose codes fit in the primary index.
#define VL_STEP(s, slow)                                     \
    entry = multi[s.buffer >> (64 - kPrimaryBits)];          \
    if (VL_UNLIKELY(SymbolCount(entry) == 0)) goto slow;     \
    StoreSymbols(s.out, entry);                              \
    s.out += SymbolCount(entry);                             \
    s.buffer <<= Consumed(entry);                            \
    s.bits -= Consumed(entry);

VL_ALWAYS_INLINE bool SingleBody(const Tables& tables, FastStream& stream) {
    FastStream s = stream;
    const uint32_t* const multi = tables.multi;
    bool ok = true;
    while (HasRoom(s)) {
        uint32_t entry;
        Refill(s);
        VL_STEP(s, slow)
        VL_STEP(s, slow)
        VL_STEP(s, slow)
        VL_STEP(s, slow)
        continue;
    slow:
        if (!LongCode(s, entry, tables.sub)) {
            ok = false;
            break;
        }
    }
    stream = s;
    return ok;
}

VL_ALWAYS_INLINE PairStop PairBody(const Tables& tables, FastStream& first, FastStream& second) {
    FastStream a = first;
    FastStream b = second;
    const uint32_t* const multi = tables.multi;
    PairStop stop = PairStop::kLimit;
    while (HasRoom(a) && HasRoom(b)) {
        uint32_t entry;
        Refill(a);
        Refill(b);
        VL_STEP(a, slowA)
        VL_STEP(b, slowB)
        VL_STEP(a, slowA)
        VL_STEP(b, slowB)
        VL_STEP(a, slowA)
        VL_STEP(b, slowB)
        VL_STEP(a, slowA)
        VL_STEP(b, slowB)
        continue;
    slowA:
        if (!LongCode(a, entry, tables.sub)) {
            stop = PairStop::kMissingFirst;
            break;
        }
        continue;
    slowB:
        if (!LongCode(b, entry, tables.sub)) {
            stop = PairStop::kMissingSecond;
            break;
        }
    }
    first = a;
    second = b;
    return stop;
}

#undef VL_STEP

bool SingleDefault(const Tables& tables, FastStream& stream) {
    return SingleBody(tables, stream);
}
PairStop PairDefault(const Tables& tables, FastStream& first, FastStream& second) {
    return PairBody(tables, first, second);
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define VL_HAVE_BMI2_PATH 1
// BMI2's flag-free variable shifts (shlx, shrx) shorten the loops' dependency chains.
__attribute__((target("bmi2"))) bool SingleBmi2(const Tables& tables, FastStream& stream) {
    return SingleBody(tables, stream);
}
__attribute__((target("bmi2"))) PairStop PairBmi2(const Tables& tables, FastStream& first, FastStream& second) {
    return PairBody(tables, first, second);
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

bool StartFastStream(FastStream& stream, const uint8_t* input, uint64_t position) {
    const uint8_t* in = input + (position >> 3);
    if (stream.inLimit - in < 8) return false;
    const unsigned skip = static_cast<unsigned>(position & 7);
    // Seven whole bytes, then drop the bits before the position.
    stream.buffer = (LoadBigEndian64(in) & ~uint64_t{0xFF}) << skip;
    stream.in = in + 7;
    stream.bits = 56 - skip;
    return true;
}

bool RunFastStream(const Tables& tables, FastStream& stream) {
#ifdef VL_HAVE_BMI2_PATH
    if (HasBmi2()) return SingleBmi2(tables, stream);
#endif
    return SingleDefault(tables, stream);
}

PairStop RunFastStreamPair(const Tables& tables, FastStream& first, FastStream& second) {
#ifdef VL_HAVE_BMI2_PATH
    if (HasBmi2()) return PairBmi2(tables, first, second);
#endif
    return PairDefault(tables, first, second);
}

}  // namespace vl_table
