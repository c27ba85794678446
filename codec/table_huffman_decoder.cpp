#include "codec/table_huffman_decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "codec/huffman_code.h"
#include "codec/huffman_fast_loop.h"
#include "codec/huffman_tables.h"

using namespace vl_table;

namespace {

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

// Decodes symbols outIndex..count-1 starting at a symbol boundary: whole words
// while they last, then one exact symbol at a time up to the stream's end.
VLDecodeStatus DecodeFrom(const Tables& tables, const uint8_t* input, size_t inputSize, uint64_t position,
                          uint8_t* output, uint32_t outIndex, uint32_t count) {
    FastStream stream{position, input + inputSize, output + outIndex, output + count};
    if (!RunFastStream(tables, input, stream)) return VLDecodeStatus::kMissingCode;
    CBoundedBitReader reader(input, inputSize, stream.position);
    for (uint8_t* out = stream.out; out < output + count; ++out) {
        const VLDecodeStatus status = DecodeExactSymbol(tables, reader, *out);
        if (status != VLDecodeStatus::kOk) return status;
    }
    return VLDecodeStatus::kOk;
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

    const Tables tables{m_multi.data(), m_single.data(), m_sub.data()};
    m_lastSplit = SplitOutcome::kNotSplit;
    const uint64_t start = reader.Position();
    const uint64_t streamBits = static_cast<uint64_t>(inputSize) * 8u - start;
    if (count >= m_split.minSymbols && streamBits >= 2u * m_split.syncBits + 256u) {
        return DecodeSplit(input, inputSize, start, output, count);
    }
    return DecodeFrom(tables, input, inputSize, start, output, 0, count);
}

// A Huffman decoder started at an arbitrary bit soon falls into step with the
// true code boundaries. The second half of the stream is decoded from a guessed
// start (its midpoint), interleaved with the first half, and its output is kept
// apart. Its first symbols' start positions are recorded; when the first
// decoder, running on true boundaries, lands on one of them, the second
// decoder was in step from there on and its output is taken over from there.
// When the first decoder never lands on one, it simply decodes on alone, so
// the result is always exactly the one-stream result.
VLDecodeStatus CTableHuffmanDecoder::DecodeSplit(const uint8_t* input, size_t inputSize, uint64_t start,
                                                 uint8_t* output, uint32_t count) {
    const Tables tables{m_multi.data(), m_single.data(), m_sub.data()};
    m_lastSplit = SplitOutcome::kFirstAlone;
    const uint64_t totalBits = static_cast<uint64_t>(inputSize) * 8u;
    const uint64_t guess = start + (totalBits - start) / 2;

    // The second decoder's output: at most one symbol per bit, at most count symbols.
    const size_t secondCapacity = static_cast<size_t>(std::min<uint64_t>(count, totalBits - guess)) + 16;
    std::unique_ptr<uint8_t[]> second(new (std::nothrow) uint8_t[secondCapacity]);
    if (!second) return DecodeFrom(tables, input, inputSize, start, output, 0, count);

    // Its first symbols one at a time, recording where each starts.
    m_boundaries.clear();
    CBoundedBitReader secondReader(input, inputSize, guess);
    while (secondReader.Position() < guess + m_split.syncBits && m_boundaries.size() + 16 < secondCapacity) {
        m_boundaries.push_back(secondReader.Position());
        if (DecodeExactSymbol(tables, secondReader, second[m_boundaries.size() - 1]) != VLDecodeStatus::kOk) {
            // No valid symbols from this guess: the first decoder does it all.
            return DecodeFrom(tables, input, inputSize, start, output, 0, count);
        }
    }

    FastStream first{start, input + (guess >> 3), output, output + count};
    const size_t synced = m_boundaries.size();
    FastStream rest{secondReader.Position(), input + inputSize, second.get() + synced, second.get() + secondCapacity};
    const PairStop stop = RunFastStreamPair(tables, input, first, rest);
    if (stop == PairStop::kMissingFirst) return VLDecodeStatus::kMissingCode;
    // Each goes on alone when the other has reached its limit.
    if (!RunFastStream(tables, input, first)) return VLDecodeStatus::kMissingCode;
    if (stop != PairStop::kMissingSecond) RunFastStream(tables, input, rest);
    const uint64_t restEnd = rest.position;
    const uint32_t restSymbols = static_cast<uint32_t>(rest.out - second.get());

    // The first decoder steps on, one exact symbol at a time, until it lands on
    // a recorded start or passes them all.
    uint32_t done = static_cast<uint32_t>(first.out - output);
    CBoundedBitReader reader(input, inputSize, first.position);
    size_t next = 0;
    for (;;) {
        if (done == count) return VLDecodeStatus::kOk;
        const uint64_t position = reader.Position();
        while (next < m_boundaries.size() && m_boundaries[next] < position) ++next;
        if (next == m_boundaries.size()) break;
        if (m_boundaries[next] == position) {
            m_lastSplit = SplitOutcome::kJoined;
            const uint32_t take = std::min(restSymbols - static_cast<uint32_t>(next), count - done);
            std::memcpy(output + done, second.get() + next, take);
            done += take;
            if (done == count) return VLDecodeStatus::kOk;
            // The second decoder stopped early (at a gap, or near the end): go on from there.
            return DecodeFrom(tables, input, inputSize, restEnd, output, done, count);
        }
        const VLDecodeStatus status = DecodeExactSymbol(tables, reader, output[done]);
        if (status != VLDecodeStatus::kOk) return status;
        ++done;
    }
    return DecodeFrom(tables, input, inputSize, reader.Position(), output, done, count);
}
