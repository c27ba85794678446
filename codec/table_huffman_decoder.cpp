#include "codec/table_huffman_decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "codec/huffman_code.h"
#include "codec/huffman_fast_loop.h"
#include "codec/huffman_tables.h"
#include "platform/worker_thread.h"

using namespace vl_table;

static_assert(VLTableHuffmanDecoder::kMaxParts == kMaxInterleaved, "every part runs interleaved");

namespace {

VLDecodeStatus ReadCodeLengths(VLBoundedBitReader& reader, uint16_t* lengths) {
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
    if (!RunFastStream(tables, input, inputSize, stream)) return VLDecodeStatus::kMissingCode;
    VLBoundedBitReader reader(input, inputSize, stream.position);
    for (uint8_t* out = stream.out; out < output + count; ++out) {
        const VLDecodeStatus status = DecodeExactSymbol(tables, reader, *out);
        if (status != VLDecodeStatus::kOk) return status;
    }
    return VLDecodeStatus::kOk;
}

// A later part's first symbols, decoded one at a time from its guessed start
// for `syncBits` bits, recording where each starts; `end` is where they stop.
// False when the guess gives no valid symbols.
bool RecordFirstSymbols(const Tables& tables, const uint8_t* input, size_t inputSize, uint64_t guess,
                        uint32_t syncBits, uint8_t* out, size_t capacity, std::vector<uint64_t>& boundaries,
                        uint64_t& end) {
    boundaries.clear();
    VLBoundedBitReader reader(input, inputSize, guess);
    while (reader.Position() < guess + syncBits && boundaries.size() + kOutputMargin < capacity) {
        boundaries.push_back(reader.Position());
        if (DecodeExactSymbol(tables, reader, out[boundaries.size() - 1]) != VLDecodeStatus::kOk) {
            boundaries.clear();
            return false;
        }
    }
    end = reader.Position();
    return true;
}

// Decodes on true boundaries one symbol at a time into output[done...] until
// the reader stands on one of `boundaries` (landing is its index) or done
// reaches limit. True when it landed.
VLDecodeStatus StepUntilLanding(const Tables& tables, VLBoundedBitReader& reader,
                                const std::vector<uint64_t>& boundaries, uint8_t* output, uint32_t& done,
                                uint32_t limit, size_t& landing, bool& landed) {
    landing = 0;
    landed = false;
    for (;;) {
        const uint64_t position = reader.Position();
        while (landing < boundaries.size() && boundaries[landing] < position) ++landing;
        if (landing == boundaries.size()) return VLDecodeStatus::kOk;
        if (boundaries[landing] == position) {
            landed = true;
            return VLDecodeStatus::kOk;
        }
        if (done == limit) return VLDecodeStatus::kOk;
        const VLDecodeStatus status = DecodeExactSymbol(tables, reader, output[done]);
        if (status != VLDecodeStatus::kOk) return status;
        ++done;
    }
}

}  // namespace

// The later half of the parts goes to the second thread when one helps and
// is free (each part writes only its own stretch; all read the same input
// and tables); when the thread has not begun them by the time the first half
// is done, they are done here.
void VLTableHuffmanDecoder::RunParts(const vl_table::Tables& tables, const uint8_t* input, size_t inputSize,
                                     vl_table::FastStream* const* streams, unsigned count) {
    VLWorkerThread* const worker =
        m_split.secondThread && count >= 3 ? VLWorkerThread::ForDecoding() : nullptr;
    const unsigned half = count / 2;
    const auto laterParts = [&] { RunFastStreams(tables, input, inputSize, streams + half, count - half); };
    if (worker && worker->Start(laterParts)) {
        RunFastStreams(tables, input, inputSize, streams, half);
        if (worker->TakeBackOrWait()) laterParts();
        return;
    }
    RunFastStreams(tables, input, inputSize, streams, count);
}

VLDecodeStatus VLTableHuffmanDecoder::BuildTables(const uint16_t* lengths) {
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
            entry = AppendSymbol(entry, FirstSymbol(next), Consumed(next));
        }
        m_multi[i] = entry;
    }
    return VLDecodeStatus::kOk;
}

VLDecodeStatus VLTableHuffmanDecoder::Decode(const uint8_t* input, size_t inputSize, uint8_t* output,
                                             uint32_t count, size_t room) {
    if (!input && inputSize > 0) return VLDecodeStatus::kTruncated;
    VLBoundedBitReader reader(input, inputSize);
    uint16_t lengths[kSymbols];
    VLDecodeStatus status = ReadCodeLengths(reader, lengths);
    if (status != VLDecodeStatus::kOk) return status;
    status = BuildTables(lengths);
    if (status != VLDecodeStatus::kOk) return status;

    const Tables tables{m_multi.data(), m_single.data(), m_sub.data()};
    m_lastSplit = SplitOutcome::kNotSplit;
    const uint64_t start = reader.Position();
    const uint64_t streamBits = static_cast<uint64_t>(inputSize) * 8u - start;
    const unsigned parts = std::min(std::max(m_split.parts, 2u), kMaxParts);
    if (count >= m_split.minSymbols && room >= RoomToSplit(count) &&
        streamBits >= parts * uint64_t{m_split.syncBits} + 256u) {
        return DecodeSplit(input, inputSize, start, output, count, room, parts);
    }
    return DecodeFrom(tables, input, inputSize, start, output, 0, count);
}

// A Huffman decoder started at an arbitrary bit soon falls into step with the
// true code boundaries. The stream is cut into parts at guessed bits; every
// part after the first is decoded from its guess into its own stretch of the
// output, a little past where its symbols are expected to belong, all parts
// interleaved, after recording where its first symbols start. Then, part by
// part, the decoder on true boundaries goes on from the end of the previous
// part until it lands on one of the recorded starts: from there the part was
// in step, and its output moves down into place. When it never lands on one,
// or would have to write over the part's stretch first, it simply decodes on
// through that part, so the result is always exactly the one-stream result.
VLDecodeStatus VLTableHuffmanDecoder::DecodeSplit(const uint8_t* input, size_t inputSize, uint64_t start,
                                                  uint8_t* output, uint32_t count, size_t room,
                                                  unsigned parts) {
    const Tables tables{m_multi.data(), m_single.data(), m_sub.data()};
    m_lastSplit = SplitOutcome::kFirstAlone;
    const uint64_t totalBits = static_cast<uint64_t>(inputSize) * 8u;
    const uint64_t streamBits = totalBits - start;

    uint64_t guess[kMaxInterleaved + 1];
    for (unsigned p = 0; p < parts; ++p) guess[p] = start + streamBits / parts * p;
    guess[parts] = totalBits;

    // Part p's stretch starts at its expected place plus p slacks and ends
    // where the next one starts; the last ends at the room's end, which
    // RoomToSplit leaves a slack past the count at least. A part that fills
    // its stretch just stops early, and the decoder on true boundaries
    // decodes the rest of that part itself.
    const size_t slack = PartSlack(count);
    size_t begin[kMaxInterleaved + 1] = {};
    for (unsigned p = 1; p < parts; ++p) {
        const double share = static_cast<double>(guess[p] - start) / static_cast<double>(streamBits);
        begin[p] = static_cast<size_t>(static_cast<double>(count) * share) + p * slack;
    }
    begin[parts] = room;

    FastStream streams[kMaxInterleaved];
    FastStream* running[kMaxInterleaved];
    unsigned runningCount = 0;
    streams[0] =
        FastStream{start, input + (guess[1] >> 3), output, output + std::min<size_t>(count, begin[1])};
    running[runningCount++] = &streams[0];
    for (unsigned p = 1; p < parts; ++p) {
        uint8_t* const stretch = output + begin[p];
        const size_t capacity = begin[p + 1] - begin[p];
        // A guess that gives no valid symbols leaves the part to the decoder before it.
        uint64_t synced = 0;
        if (!RecordFirstSymbols(tables, input, inputSize, guess[p], m_split.syncBits, stretch, capacity,
                                m_boundaries[p], synced)) {
            continue;
        }
        streams[p] = FastStream{synced, input + (guess[p + 1] >> 3), stretch + m_boundaries[p].size(),
                                stretch + capacity};
        running[runningCount++] = &streams[p];
    }
    RunParts(tables, input, inputSize, running, runningCount);
    if (streams[0].missing) return VLDecodeStatus::kMissingCode;

    uint32_t done = static_cast<uint32_t>(streams[0].out - output);
    uint64_t exact = streams[0].position;  // the true boundary after output[done - 1]
    for (unsigned p = 1; p < parts; ++p) {
        if (done == count) return VLDecodeStatus::kOk;
        // Never past the start of this part's stretch while it may be taken over.
        const uint32_t limit = static_cast<uint32_t>(std::min<size_t>(count, begin[p]));
        // Up to just before the part's guess with whole words, if the previous
        // part was not taken over or stopped early.
        FastStream catchUp{exact, input + (guess[p] >> 3), output + done, output + limit};
        if (!RunFastStream(tables, input, inputSize, catchUp)) return VLDecodeStatus::kMissingCode;
        done = static_cast<uint32_t>(catchUp.out - output);
        exact = catchUp.position;

        // Then one exact symbol at a time until landing on a recorded start,
        // passing them all or reaching the stretch.
        VLBoundedBitReader reader(input, inputSize, exact);
        size_t landing = 0;
        bool landed = false;
        const VLDecodeStatus status =
            StepUntilLanding(tables, reader, m_boundaries[p], output, done, limit, landing, landed);
        if (status != VLDecodeStatus::kOk) return status;
        if (done == count) return VLDecodeStatus::kOk;
        exact = reader.Position();
        if (!landed) continue;

        m_lastSplit = SplitOutcome::kJoined;
        const uint8_t* const from = output + begin[p] + landing;
        const uint32_t partSymbols = static_cast<uint32_t>(streams[p].out - (output + begin[p]));
        const uint32_t take = std::min(partSymbols - static_cast<uint32_t>(landing), count - done);
        std::memmove(output + done, from, take);
        done += take;
        if (done == count) return VLDecodeStatus::kOk;
        // In step up to where the part stopped: its limit, a full stretch, or
        // a missing code that the next catch-up meets again and reports.
        exact = streams[p].position;
    }
    return DecodeFrom(tables, input, inputSize, exact, output, done, count);
}
