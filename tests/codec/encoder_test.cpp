// The package builder's encoder: length-limited codes and exact round trips.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "codec/cmp_encoder.h"
#include "codec/cmp_file.h"
#include "codec/font_descrambler.h"
#include "codec/huffman_lengths.h"
#include "codec/table_huffman_decoder.h"

namespace {

uint64_t KraftSum(const std::array<uint16_t, 256>& lengths) {
    uint64_t sum = 0;
    for (uint16_t l : lengths) {
        if (l) sum += uint64_t{1} << (16 - l);
    }
    return sum;
}

}  // namespace

TEST(Encoder, LengthsStayWithinSixteenBitsAndFormAPrefixCode) {
    std::array<uint64_t, 256> fibonacci{};
    uint64_t a = 1, b = 1;
    for (size_t s = 0; s < 40; ++s) {
        fibonacci[s] = a;
        const uint64_t next = a + b;
        a = b;
        b = next;
    }
    std::array<uint64_t, 256> one{};
    one[42] = 1000;
    std::array<uint64_t, 256> uniform{};
    uniform.fill(5);
    struct Case {
        const char* name;
        std::array<uint64_t, 256> counts;
        uint16_t expectedMax;
    };
    const Case cases[] = {
        {"fibonacci counts would need 39 bits", fibonacci, 16},
        {"a single byte value gets length 1", one, 1},
        {"all values equally often", uniform, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lengths = BuildCodeLengths(c.counts);
        EXPECT_EQ(*std::max_element(lengths.begin(), lengths.end()), c.expectedMax);
        EXPECT_LE(KraftSum(lengths), uint64_t{1} << 16);
        for (size_t s = 0; s < 256; ++s) EXPECT_EQ(lengths[s] != 0, c.counts[s] != 0) << s;
    }
    EXPECT_EQ(KraftSum(BuildCodeLengths({})), 0u);
}

TEST(Encoder, PackedFontsDecodeBackExactly) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> byte(0, 255);
    const size_t sizes[] = {0, 1, 2, 7, 100, 2884, 2885, 9000};
    for (size_t size : sizes) {
        for (int32_t number : {0, 101, -2, 2147483647}) {
            SCOPED_TRACE(testing::Message() << "size " << size << " number " << number);
            std::vector<uint8_t> font(size);
            for (uint8_t& b : font) b = static_cast<uint8_t>(size % 3 == 0 ? byte(random) : byte(random) % 5);
            const auto packed = PackFont(number, font.data(), font.size());
            ASSERT_TRUE(packed);
            VLByteBuffer decoded = DecompressCmp(packed->data(), static_cast<uint32_t>(packed->size()));
            ASSERT_TRUE(decoded);
            ASSERT_EQ(decoded.size, size + 1);
            ASSERT_TRUE(DescrambleFont(number, decoded.data.get(), decoded.size));
            EXPECT_TRUE(std::equal(font.begin(), font.end(), decoded.data.get()));
        }
    }
}

// The installer decodes font after font into one kept buffer with one kept
// decoder: each comes out exactly, whether the one before was larger, smaller
// or malformed, decoded in parts or not.
TEST(Encoder, AKeptBufferAndDecoderTakeEachFontExactly) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> byte(0, 255);
    VLReusableBuffer kept;
    VLTableHuffmanDecoder decoder;
    for (size_t size : {9000, 7, 2885, 0, 300000, 100, 70000, 1100000, 1048576}) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> font(size);
        for (uint8_t& b : font) b = static_cast<uint8_t>(byte(random) % 7);
        const auto packed = PackFont(77, font.data(), font.size());
        ASSERT_TRUE(packed);
        // A truncated stream fails and leaves nothing the next font relies on.
        EXPECT_NE(DecompressCmpInto(packed->data(), 3, kept, &decoder), VLDecodeStatus::kOk);
        ASSERT_EQ(DecompressCmpInto(packed->data(), static_cast<uint32_t>(packed->size()), kept, &decoder),
                  VLDecodeStatus::kOk);
        ASSERT_EQ(kept.Size(), size + 1);
        ASSERT_TRUE(DescrambleFont(77, kept.Data(), kept.Size()));
        EXPECT_TRUE(std::equal(font.begin(), font.end(), kept.Data()));
    }
}

TEST(Encoder, RefusesPayloadsItCannotCode) {
    const std::vector<uint8_t> payload = {1, 2, 3};
    std::array<uint16_t, 256> lengths{};
    lengths[1] = lengths[2] = 2;
    EXPECT_FALSE(EncodeCmpWithLengths(payload.data(), payload.size(), lengths));  // byte 3 has no code
    lengths[3] = 1;
    lengths[0] = 1;
    EXPECT_FALSE(EncodeCmpWithLengths(payload.data(), payload.size(), lengths));  // over-subscribed
    lengths[3] = 17;
    EXPECT_FALSE(EncodeCmpWithLengths(payload.data(), payload.size(), lengths));
}
