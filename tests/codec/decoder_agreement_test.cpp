// The table decoder against the tree walk: the same bytes, or failure from both.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "codec/cmp_encoder.h"
#include "codec/cmp_file.h"
#include "codec/font_descrambler.h"
#include "codec/huffman_decoder.h"
#include "codec/table_huffman_decoder.h"
#include "tests/codec/stream_builder.h"

namespace {

std::vector<uint8_t> ReadFont(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// How often the split decoder joined its halves or went on with the first alone.
struct SplitCounts {
    int joins = 0;
    int firstAlone = 0;
};

// Runs both decoders on one stream (the bytes after the size field).
void ExpectAgreement(const std::vector<uint8_t>& stream, uint32_t count, SplitCounts* counts = nullptr) {
    std::vector<uint8_t> fast(count + 1, 0xAB);
    std::vector<uint8_t> slow(count + 1, 0xAB);
    VLTableHuffmanDecoder table;
    CHuffmanDecoder walker;
    const VLDecodeStatus fastStatus = table.Decode(stream.data(), stream.size(), fast.data(), count);
    const VLDecodeStatus slowStatus = walker.Decode(stream.data(), stream.size(), slow.data(), count);
    ASSERT_EQ(fastStatus == VLDecodeStatus::kOk, slowStatus == VLDecodeStatus::kOk)
        << "table " << DescribeDecodeStatus(fastStatus) << ", tree walk " << DescribeDecodeStatus(slowStatus);
    // Nothing written past the count either way.
    EXPECT_EQ(fast[count], 0xAB);
    if (fastStatus == VLDecodeStatus::kOk) {
        ASSERT_EQ(fast, slow);
    }
    // Split into interleaved parts whenever the stream allows, with short and
    // long stretches for falling into step: joins and the fallback both run.
    const std::pair<uint32_t, unsigned> policies[] = {{1, 2}, {7, 4}, {33, 3}, {200, 4}, {200, 2}};
    for (const auto& [syncBits, parts] : policies) {
        SCOPED_TRACE(testing::Message() << parts << " parts, sync bits " << syncBits);
        // The parts work in the room past the count, and nowhere beyond it.
        const size_t room = static_cast<size_t>(VLTableHuffmanDecoder::RoomToSplit(count));
        std::vector<uint8_t> split(room + 1, 0xAB);
        VLTableHuffmanDecoder splitting(VLTableHuffmanDecoder::SplitPolicy{0, syncBits, parts});
        const VLDecodeStatus splitStatus =
            splitting.Decode(stream.data(), stream.size(), split.data(), count, room);
        ASSERT_EQ(splitStatus == VLDecodeStatus::kOk, slowStatus == VLDecodeStatus::kOk);
        EXPECT_EQ(split[room], 0xAB);
        if (counts) {
            counts->joins += splitting.GetLastSplitOutcome() == VLTableHuffmanDecoder::SplitOutcome::kJoined;
            counts->firstAlone +=
                splitting.GetLastSplitOutcome() == VLTableHuffmanDecoder::SplitOutcome::kFirstAlone;
        }
        if (splitStatus == VLDecodeStatus::kOk) {
            ASSERT_TRUE(std::equal(slow.begin(), slow.begin() + count, split.begin()));
        }
    }
}

// Random lengths 0..16 made to satisfy Kraft's inequality by lengthening
// random codes; complete or not, as it falls.
std::array<uint16_t, 256> RandomLengths(std::mt19937& random, unsigned maxLength, int symbols) {
    std::array<uint16_t, 256> lengths{};
    std::uniform_int_distribution<int> pick(0, 255);
    std::uniform_int_distribution<unsigned> length(1, maxLength);
    for (int i = 0; i < symbols; ++i)
        lengths[static_cast<size_t>(pick(random))] = static_cast<uint16_t>(length(random));
    auto kraft = [&] {
        uint64_t sum = 0;
        for (uint16_t l : lengths) {
            if (l) sum += uint64_t{1} << (16 - l);
        }
        return sum;
    };
    while (kraft() > (uint64_t{1} << 16)) {
        const size_t s = static_cast<size_t>(pick(random));
        if (lengths[s] && lengths[s] < 16) ++lengths[s];
    }
    return lengths;
}

std::vector<uint8_t> StreamWith(const std::array<uint16_t, 256>& lengths, const std::vector<uint8_t>& tail) {
    VLBitWriter writer;
    writer.WriteCodeLengths(lengths.data());
    std::vector<uint8_t> stream = writer.Bytes();
    // Random data right after the section, at whatever bit it ended.
    const unsigned used = static_cast<unsigned>(writer.BitCount() & 7);
    if (used && !tail.empty()) stream.back() |= static_cast<uint8_t>(tail[0] >> used);
    stream.insert(stream.end(), tail.begin() + (used && !tail.empty() ? 1 : 0), tail.end());
    return stream;
}

}  // namespace

TEST(DecoderAgreement, RealFontsRoundTripThroughBoth) {
    const char* const fonts[] = {
        "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
        "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf",
    };
    for (const char* path : fonts) {
        SCOPED_TRACE(path);
        const std::vector<uint8_t> font = ReadFont(path);
        if (font.empty()) GTEST_SKIP() << "font not installed";
        const auto packed = PackFont(101, font.data(), font.size());
        ASSERT_TRUE(packed);
        const std::vector<uint8_t> stream(packed->begin() + 4, packed->end());
        ExpectAgreement(stream, static_cast<uint32_t>(font.size() + 1));

        VLByteBuffer decoded = DecompressCmp(packed->data(), static_cast<uint32_t>(packed->size()));
        ASSERT_TRUE(decoded);
        ASSERT_TRUE(DescrambleFont(101, decoded.data.get(), decoded.size));
        EXPECT_TRUE(std::equal(font.begin(), font.end(), decoded.data.get()));
    }
}

TEST(DecoderAgreement, RandomLengthsAndRandomData) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    SplitCounts counts;
    for (int round = 0; round < 3000; ++round) {
        const unsigned maxLength = 1 + static_cast<unsigned>(round % 16);
        const auto lengths = RandomLengths(random, maxLength, 1 + round % 300);
        std::vector<uint8_t> tail(static_cast<size_t>(round % 97));
        for (uint8_t& b : tail) b = static_cast<uint8_t>(byte(random));
        const std::vector<uint8_t> stream = StreamWith(lengths, tail);
        SCOPED_TRACE(round);
        // Counts around where the data runs out, and a count of 0.
        for (uint32_t count :
             {0u, 1u, static_cast<uint32_t>(tail.size()), static_cast<uint32_t>(tail.size() * 8 / maxLength),
              static_cast<uint32_t>(tail.size() * 8)}) {
            ExpectAgreement(stream, count, &counts);
        }
    }
    // Both ways of ending a split ran many times.
    EXPECT_GT(counts.joins, 1000);
    EXPECT_GT(counts.firstAlone, 1000);
}

TEST(DecoderAgreement, AdversarialLengthSets) {
    auto lengthsOf = [](std::initializer_list<std::pair<int, int>> runs) {
        std::array<uint16_t, 256> lengths{};
        int s = 0;
        for (const auto& [count, length] : runs) {
            for (int i = 0; i < count && s < 256; ++i)
                lengths[static_cast<size_t>(s++)] = static_cast<uint16_t>(length);
        }
        return lengths;
    };
    const std::array<uint16_t, 256> sets[] = {
        lengthsOf({{256, 8}}),
        lengthsOf({{1, 1},
                   {1, 2},
                   {1, 3},
                   {1, 4},
                   {1, 5},
                   {1, 6},
                   {1, 7},
                   {1, 8},
                   {1, 9},
                   {1, 10},
                   {1, 11},
                   {1, 12},
                   {1, 13},
                   {1, 14},
                   {1, 15},
                   {2, 16}}),
        lengthsOf({{1, 16}}),
        lengthsOf({{1, 1}}),
        lengthsOf({{248, 16}}),
        lengthsOf({{249, 16}}),
        lengthsOf({{256, 16}}),
        lengthsOf({{2, 2}, {4, 4}, {64, 11}, {64, 12}, {122, 16}}),
        lengthsOf({{1, 11}, {1, 12}, {254, 15}}),
        lengthsOf({{128, 9}, {128, 10}}),  // over-subscribed
        lengthsOf({{127, 7}, {2, 8}}),     // complete, at the primary-table edge
        lengthsOf({{1, 2}, {1, 11}, {2, 12}}),
    };
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (size_t i = 0; i < std::size(sets); ++i) {
        SCOPED_TRACE(i);
        for (int round = 0; round < 60; ++round) {
            std::vector<uint8_t> tail(static_cast<size_t>(1 + round * 3));
            // Mostly ones or mostly zeros reach the deepest codes and the gaps.
            for (uint8_t& b : tail)
                b = static_cast<uint8_t>(round % 3 == 0 ? 0xFF : round % 3 == 1 ? 0x00 : byte(random));
            const std::vector<uint8_t> stream = StreamWith(sets[i], tail);
            for (uint32_t count :
                 {1u, static_cast<uint32_t>(tail.size()), static_cast<uint32_t>(tail.size() * 8)}) {
                ExpectAgreement(stream, count);
            }
        }
    }
}

TEST(DecoderAgreement, TruncationsAndBitFlipsOfAPackedStream) {
    std::mt19937 random(11);
    std::vector<uint8_t> payload(3000);
    std::geometric_distribution<int> skewed(0.08);
    for (uint8_t& b : payload) b = static_cast<uint8_t>(std::min(skewed(random), 255));
    const auto packed = EncodeCmp(payload.data(), payload.size());
    ASSERT_TRUE(packed);
    const std::vector<uint8_t> stream(packed->begin() + 4, packed->end());
    const uint32_t count = static_cast<uint32_t>(payload.size());
    for (size_t cut = 0; cut <= stream.size(); cut += 1 + cut / 16) {
        SCOPED_TRACE(cut);
        ExpectAgreement(
            std::vector<uint8_t>(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut)), count);
    }
    std::uniform_int_distribution<size_t> position(0, stream.size() * 8 - 1);
    for (int flip = 0; flip < 400; ++flip) {
        std::vector<uint8_t> damaged = stream;
        const size_t bit = position(random);
        damaged[bit / 8] ^= static_cast<uint8_t>(0x80u >> (bit % 8));
        SCOPED_TRACE(bit);
        ExpectAgreement(damaged, count);
    }
}

// Parts are cut by bits, so a part over a run of one frequent byte (a short
// code) holds far more symbols than its share. Late in the stream, that part
// fills its stretch and stops, and the rest of it is decoded on true
// boundaries; early on, the part before fills up to the next part's stretch,
// which is then decoded over instead of taken.
TEST(DecoderAgreement, DensePartFillsItsStretch) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> byte(0, 255);
    auto noise = [&](size_t size) {
        std::vector<uint8_t> bytes(size);
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(byte(random));
        return bytes;
    };
    struct Layout {
        const char* name;
        size_t zeros;
        size_t noise;
        bool zerosFirst;
        VLTableHuffmanDecoder::SplitOutcome outcome;
    };
    const Layout layouts[] = {
        {"dense end", 200 * 1024, 200 * 1024, false, VLTableHuffmanDecoder::SplitOutcome::kJoined},
        {"dense start", 300 * 1024, 100 * 1024, true, VLTableHuffmanDecoder::SplitOutcome::kFirstAlone},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        const std::vector<uint8_t> zeros(layout.zeros, 0);
        const std::vector<uint8_t> other = noise(layout.noise);
        std::vector<uint8_t> payload = layout.zerosFirst ? zeros : other;
        const std::vector<uint8_t>& rest = layout.zerosFirst ? other : zeros;
        payload.insert(payload.end(), rest.begin(), rest.end());
        const auto packed = EncodeCmp(payload.data(), payload.size());
        ASSERT_TRUE(packed);
        const std::vector<uint8_t> stream(packed->begin() + 4, packed->end());
        const uint32_t count = static_cast<uint32_t>(payload.size());
        ExpectAgreement(stream, count);
        for (unsigned parts = 2; parts <= 4; ++parts) {
            std::vector<uint8_t> decoded(static_cast<size_t>(VLTableHuffmanDecoder::RoomToSplit(count)));
            VLTableHuffmanDecoder decoder(VLTableHuffmanDecoder::SplitPolicy{0, 4096, parts});
            ASSERT_EQ(decoder.Decode(stream.data(), stream.size(), decoded.data(), count, decoded.size()),
                      VLDecodeStatus::kOk);
            EXPECT_EQ(decoder.GetLastSplitOutcome(), layout.outcome) << parts << " parts";
            decoded.resize(count);
            EXPECT_EQ(decoded, payload) << parts << " parts";
            // Without the room, in one piece and within the count.
            std::fill(decoded.begin(), decoded.end(), 0xAB);
            ASSERT_EQ(decoder.Decode(stream.data(), stream.size(), decoded.data(), count),
                      VLDecodeStatus::kOk);
            EXPECT_EQ(decoder.GetLastSplitOutcome(), VLTableHuffmanDecoder::SplitOutcome::kNotSplit);
            EXPECT_EQ(decoded, payload) << parts << " parts";
        }
    }
}
