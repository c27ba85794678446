#include "codec/huffman_fast_loop.h"

#include <cstring>
#include <type_traits>

#include "codec/huffman_code.h"

namespace vl_table {
namespace {

#if defined(__GNUC__)
#define VL_ALWAYS_INLINE inline __attribute__((always_inline))
#define VL_LIKELY(x) __builtin_expect(!!(x), 1)
#define VL_UNROLL _Pragma("GCC unroll 16")
#else
#define VL_ALWAYS_INLINE inline
#define VL_LIKELY(x) (x)
#define VL_UNROLL
#endif

template <typename Word>
VL_ALWAYS_INLINE Word LoadBigEndian(const uint8_t* p) {
#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    Word v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (sizeof(Word) == 8) {
        return __builtin_bswap64(v);
    } else {
        return __builtin_bswap32(v);
    }
#else
    Word r = 0;
    for (size_t i = 0; i < sizeof(Word); ++i) r = static_cast<Word>(r << 8 | p[i]);
    return r;
#endif
}

// A bit buffer of one machine word: a refill tops it up to all but the last
// byte's bits with whole bytes. A 64-bit buffer then holds enough for four
// lookups, a 32-bit one for one (a long code refills again at once). Each
// stream keeps three registers: the buffer, its bit count and the input.
template <typename BufferWord>
struct BufferCursor {
    using Word = BufferWord;
    static constexpr unsigned kBits = 8 * sizeof(Word);
    static constexpr unsigned kFill = kBits - 8;
    static constexpr unsigned kSteps = sizeof(Word) == 8 ? 4 : 1;
    static constexpr uint32_t kCountMask = kBits - 1;  // bit counts stay below kBits
    static_assert(kPrimaryBits * (kSteps - 1) + kMaxCodeLength <= kFill, "refill too small");

    const uint8_t* in;  // first byte not yet in the buffer
    Word buffer;        // valid bits at the top; below them zeros or the stream's next bits
    uint32_t bits;      // the count of valid bits, under kCountMask; the rest is noise (see ConsumeEntry)

    VL_ALWAYS_INLINE void Start(const uint8_t* input, uint64_t position) {
        in = input + (position >> 3);
        const unsigned skip = static_cast<unsigned>(position & 7);
        // Whole bytes but the last, then drop the bits before the position.
        buffer = static_cast<Word>((LoadBigEndian<Word>(in) & ~Word{0xFF}) << skip);
        in += sizeof(Word) - 1;
        bits = kBits - 8 - skip;
    }
    VL_ALWAYS_INLINE uint64_t Position(const uint8_t* input) const {
        return static_cast<uint64_t>(in - input) * 8u - (bits & kCountMask);
    }
    VL_ALWAYS_INLINE const uint8_t* ReadPoint(const uint8_t*) const { return in; }
    VL_ALWAYS_INLINE void Refill(const uint8_t*) {
        buffer |= LoadBigEndian<Word>(in) >> (bits & kCountMask);
        in += (kBits - 1 - (bits & kCountMask)) >> 3;
        bits |= kFill;
    }
    VL_ALWAYS_INLINE Word Peek(const uint8_t*) const { return buffer; }
    VL_ALWAYS_INLINE void Consume(unsigned n) {
        buffer = static_cast<Word>(buffer << n);
        bits -= n;
    }
    // The entry's top byte is its length plus 64 times its count: the masked
    // shift ignores the count, and subtracting it leaves the bits under
    // kCountMask exactly as subtracting the length would.
    VL_ALWAYS_INLINE void ConsumeEntry(uint32_t entry) {
        const uint32_t amount = entry >> 24;
        buffer = static_cast<Word>(buffer << (amount & kCountMask));
        bits -= amount;
    }
};

// For several streams on 32-bit targets, which lack the registers for several
// buffers (and where a 64-bit shift costs two registers and several
// instructions): only the bit position is kept, and every lookup loads the 32
// bits around it afresh (at least 25 valid, enough for a 16-bit code). Its
// chain of dependent steps is longer, so a stream alone uses a 32-bit buffer.
// Positions are 32-bit, so the input is at most kPositionCursorLimit bytes.
struct PositionCursor {
    using Word = uint32_t;
    static constexpr unsigned kBits = 32;
    static constexpr unsigned kSteps = 4;

    uint32_t position;

    VL_ALWAYS_INLINE void Start(const uint8_t*, uint64_t start) { position = static_cast<uint32_t>(start); }
    VL_ALWAYS_INLINE uint64_t Position(const uint8_t*) const { return position; }
    VL_ALWAYS_INLINE const uint8_t* ReadPoint(const uint8_t* input) const { return input + (position >> 3); }
    VL_ALWAYS_INLINE void Refill(const uint8_t*) {}
    VL_ALWAYS_INLINE Word Peek(const uint8_t* input) const {
        return LoadBigEndian<uint32_t>(input + (position >> 3)) << (position & 7);
    }
    VL_ALWAYS_INLINE void Consume(unsigned n) { position += n; }
    VL_ALWAYS_INLINE void ConsumeEntry(uint32_t entry) { position += Consumed(entry); }
};
constexpr size_t kPositionCursorLimit = (size_t{1} << 29) - 1;

// Every round reads at most 8 bytes past the read point plus one load, and
// writes at most 3 symbols per step and 4 bytes with the last; the margins cover both.
static_assert(kInputMargin >= 8 + 8 + 8 && kOutputMargin >= 3 * 4 + 4, "margins too small");

VL_ALWAYS_INLINE bool HasOutputRoom(const FastStream& s, const uint8_t* out) {
    return s.outLimit - out >= static_cast<ptrdiff_t>(kOutputMargin);
}

// Writes the entry's symbols as one 4-byte store (the byte or two after them
// are written too; the loops keep kOutputMargin bytes of room).
VL_ALWAYS_INLINE void StoreSymbols(uint8_t* out, uint32_t entry) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    std::memcpy(out, &entry, sizeof entry);
#else
    out[0] = static_cast<uint8_t>(entry);
    out[1] = static_cast<uint8_t>(entry >> 8);
    out[2] = static_cast<uint8_t>(entry >> 16);
#endif
}

// One lookup: up to three symbols whose codes fit in the primary index, or
// one longer code through its secondary table. False, with nothing consumed,
// when the bits lead to no symbol.
template <typename Cursor>
VL_ALWAYS_INLINE bool Step(Cursor& c, const uint8_t* input, uint8_t*& out, const uint32_t* multi,
                           const uint32_t* sub) {
    using Word = typename Cursor::Word;
    const Word peek = c.Peek(input);
    const uint32_t entry = multi[static_cast<uint32_t>(peek >> (Cursor::kBits - kPrimaryBits))];
    if (VL_LIKELY(SymbolCount(entry) != 0)) {
        StoreSymbols(out, entry);
        out += SymbolCount(entry);
        c.ConsumeEntry(entry);
        return true;
    }
    if (entry == kMissing) return false;
    const Word rest = static_cast<Word>(peek << kPrimaryBits);
    const uint32_t second =
        sub[LinkOffset(entry) + static_cast<uint32_t>(rest >> (Cursor::kBits - LinkBits(entry)))];
    if (second == kMissing) return false;
    *out++ = FirstSymbol(second);
    c.Consume(kPrimaryBits + Consumed(second));
    // The round's later steps count on a full buffer.
    c.Refill(input);
    return true;
}

// Decodes K streams in lockstep until one of them stops; returns its index and
// whether it met a missing code. The others stand wherever they were.
template <typename Cursor, unsigned K>
VL_ALWAYS_INLINE unsigned Interleaved(const Tables& tables, const uint8_t* input, FastStream* const* streams,
                                      bool& missing) {
    missing = false;
    VL_UNROLL
    for (unsigned k = 0; k < K; ++k) {
        const FastStream& s = *streams[k];
        // Starting reads a word at the position.
        const uint64_t available = static_cast<uint64_t>(s.inLimit - input);
        if (available < (s.position >> 3) + 8 + kInputMargin || !HasOutputRoom(s, s.out)) {
            return k;
        }
    }
    // Locals the compiler can keep in registers: the output stores could
    // otherwise alias the tables and the limits, forcing reloads.
    const uint32_t* const multi = tables.multi;
    const uint32_t* const sub = tables.sub;
    Cursor c[K];
    uint8_t* out[K];
    const uint8_t* inEnd[K];  // the last read point with a round's room
    const uint8_t* outEnd[K];
    VL_UNROLL
    for (unsigned k = 0; k < K; ++k) {
        c[k].Start(input, streams[k]->position);
        out[k] = streams[k]->out;
        inEnd[k] = streams[k]->inLimit - kInputMargin;
        outEnd[k] = streams[k]->outLimit - kOutputMargin;
    }
    unsigned stopped = 0;
    for (;;) {
        VL_UNROLL
        for (unsigned k = 0; k < K; ++k) {
            if (c[k].ReadPoint(input) > inEnd[k] || out[k] > outEnd[k]) {
                stopped = k;
                goto done;
            }
        }
        VL_UNROLL
        for (unsigned k = 0; k < K; ++k) c[k].Refill(input);
        VL_UNROLL
        for (unsigned step = 0; step < Cursor::kSteps; ++step) {
            VL_UNROLL
            for (unsigned k = 0; k < K; ++k) {
                if (!Step(c[k], input, out[k], multi, sub)) {
                    stopped = k;
                    missing = true;
                    goto done;
                }
            }
        }
    }
done:
    VL_UNROLL
    for (unsigned k = 0; k < K; ++k) {
        streams[k]->position = c[k].Position(input);
        streams[k]->out = out[k];
    }
    return stopped;
}

// A stream alone runs with one cursor, several interleaved with another.
template <typename Single, typename Interleaving>
VL_ALWAYS_INLINE unsigned RunSome(unsigned count, const Tables& tables, const uint8_t* input,
                                  FastStream* const* streams, bool& missing) {
    switch (count) {
        case 1:
            return Interleaved<Single, 1>(tables, input, streams, missing);
        case 2:
            return Interleaved<Interleaving, 2>(tables, input, streams, missing);
        case 3:
            return Interleaved<Interleaving, 3>(tables, input, streams, missing);
        default:
            return Interleaved<Interleaving, 4>(tables, input, streams, missing);
    }
}

// A buffer of the machine's word for a stream alone. Interleaved parts keep
// 64-bit buffers where the registers hold them, positions on 32-bit targets;
// there, inputs too large for 32-bit positions fall back to 64-bit buffers.
using SingleCursor = BufferCursor<std::conditional_t<(sizeof(void*) >= 8), uint64_t, uint32_t>>;
using InterleavingCursor = std::conditional_t<(sizeof(void*) >= 8), BufferCursor<uint64_t>, PositionCursor>;
using LargeInputCursor = BufferCursor<uint64_t>;

using RunFunction = unsigned (*)(unsigned, const Tables&, const uint8_t*, FastStream* const*, bool&);

unsigned RunDefault(unsigned count, const Tables& tables, const uint8_t* input, FastStream* const* streams,
                    bool& missing) {
    return RunSome<SingleCursor, InterleavingCursor>(count, tables, input, streams, missing);
}
unsigned RunLargeDefault(unsigned count, const Tables& tables, const uint8_t* input,
                         FastStream* const* streams, bool& missing) {
    return RunSome<SingleCursor, LargeInputCursor>(count, tables, input, streams, missing);
}

bool IsLargeInput(size_t inputSize) { return sizeof(void*) < 8 && inputSize > kPositionCursorLimit; }

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
// BMI2's flag-free variable shifts (shlx, shrx) shorten the loops' dependency chains.
__attribute__((target("bmi2"))) unsigned RunBmi2(unsigned count, const Tables& tables, const uint8_t* input,
                                                 FastStream* const* streams, bool& missing) {
    return RunSome<SingleCursor, InterleavingCursor>(count, tables, input, streams, missing);
}
__attribute__((target("bmi2"))) unsigned RunLargeBmi2(unsigned count, const Tables& tables,
                                                      const uint8_t* input, FastStream* const* streams,
                                                      bool& missing) {
    return RunSome<SingleCursor, LargeInputCursor>(count, tables, input, streams, missing);
}

bool HasBmi2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("bmi2") != 0;
    }();
    return has;
}

RunFunction ChooseRun(size_t inputSize) {
    if (HasBmi2()) return IsLargeInput(inputSize) ? RunLargeBmi2 : RunBmi2;
    return IsLargeInput(inputSize) ? RunLargeDefault : RunDefault;
}
#else
RunFunction ChooseRun(size_t inputSize) { return IsLargeInput(inputSize) ? RunLargeDefault : RunDefault; }
#endif

}  // namespace

void RunFastStreams(const Tables& tables, const uint8_t* input, size_t inputSize, FastStream* const* streams,
                    unsigned count) {
    const RunFunction run = ChooseRun(inputSize);
    FastStream* active[kMaxInterleaved];
    unsigned running = 0;
    for (unsigned i = 0; i < count && i < kMaxInterleaved; ++i) {
        streams[i]->missing = false;
        active[running++] = streams[i];
    }
    while (running > 0) {
        bool missing = false;
        const unsigned stopped = run(running, tables, input, active, missing);
        active[stopped]->missing = missing;
        for (unsigned i = stopped; i + 1 < running; ++i) active[i] = active[i + 1];
        --running;
    }
}

}  // namespace vl_table
