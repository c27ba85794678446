// The .cmp bit layout: size field, code-length section, canonical codes.
#include <gtest/gtest.h>

#include <vector>

#include "codec/cmp_file.h"
#include "codec/huffman_decoder.h"
#include "tests/codec/guarded_buffer.h"
#include "tests/codec/stream_builder.h"

namespace {

// Decodes with both decoders, the file placed against a guard page; the two
// must agree. Returns the bytes, or nothing on failure.
std::optional<std::vector<uint8_t>> DecodeBoth(const std::vector<uint8_t>& file) {
    GuardedBuffer guarded(file);
    const VLByteBuffer fast = DecompressCmp(guarded.data(), static_cast<uint32_t>(guarded.size()));

    std::optional<std::vector<uint8_t>> reference;
    if (file.size() >= 4) {
        const uint32_t count = file[0] | file[1] << 8 | file[2] << 16 | static_cast<uint32_t>(file[3]) << 24;
        if (count <= 8 * (file.size() - 4)) {
            std::vector<uint8_t> out(count);
            CHuffmanDecoder walker;
            if (walker.Decode(guarded.data() + 4, guarded.size() - 4, out.data(), count) ==
                VLDecodeStatus::kOk) {
                reference = out;
            }
        }
    }
    EXPECT_EQ(static_cast<bool>(fast), reference.has_value());
    if (!fast) return std::nullopt;
    std::vector<uint8_t> bytes(fast.data.get(), fast.data.get() + fast.size);
    if (reference) {
        EXPECT_EQ(bytes, *reference);
    }
    return bytes;
}

}  // namespace

TEST(DecodeFormat, ThirtyEightByteExampleDecodesToFourBytes) {
    std::vector<uint8_t> file = {0x04, 0x00, 0x00, 0x00, 0xA1, 0x40};
    file.insert(file.end(), 31, 0x00);
    file.push_back(0x6C);
    ASSERT_EQ(file.size(), 38u);
    EXPECT_EQ(DecodeBoth(file), (std::vector<uint8_t>{0, 1, 2, 3}));
}

TEST(DecodeFormat, LayoutCases) {
    const auto fourOfLengthTwo = LengthsOf({{0, 2}, {1, 2}, {2, 2}, {3, 2}});
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        std::optional<std::vector<uint8_t>> expected;
    };
    const Case cases[] = {
        {"no code at all decodes only size 0", StreamBuilder(0).Lengths({}).Bytes(), std::vector<uint8_t>{}},
        {"no code at all cannot decode a symbol", StreamBuilder(1).Lengths({}).Bits("00000000").Bytes(),
         std::nullopt},
        // Symbol 0: flag 1, gamma 1 (length 1); symbol 1: flag 1, gamma 1 again: 1 XOR 1 = 0;
        // symbol 2: length 1 again, symbol 3: back to 0, the rest copy 0.
        {"gamma equal to the previous length gives an absent symbol",
         StreamBuilder(3).Bits("11 11 11 11").Bits(std::string(252, '0').c_str()).Bits("011").Bytes(),
         std::vector<uint8_t>{0, 2, 2}},
        {"ties take ascending codes by byte value",
         StreamBuilder(4).Lengths(LengthsOf({{7, 2}, {3, 2}, {200, 2}, {9, 2}})).Bits("00 01 10 11").Bytes(),
         std::vector<uint8_t>{3, 7, 9, 200}},
        {"shorter codes come first whatever their byte value",
         StreamBuilder(3).Lengths(LengthsOf({{1, 2}, {2, 2}, {250, 1}})).Bits("0 10 11").Bytes(),
         std::vector<uint8_t>{250, 1, 2}},
        {"a single symbol of length 1 decodes every 0 bit",
         StreamBuilder(5).Lengths(LengthsOf({{65, 1}})).Bits("00000").Bytes(), std::vector<uint8_t>(5, 65)},
        {"unused bits after the last code are ignored",
         StreamBuilder(4).Lengths(fourOfLengthTwo).Bits("11100100 1111111111").Bytes(),
         std::vector<uint8_t>{3, 2, 1, 0}},
        {"16-bit codes",
         StreamBuilder(2).Lengths(LengthsOf({{0, 1}, {1, 16}})).Bits("1000000000000000 0").Bytes(),
         std::vector<uint8_t>{1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeBoth(c.file), c.expected);
    }
}

TEST(DecodeFormat, AGammaOfTwoZeroBitsAndTheirValue) {
    // Symbol 0 length 5: gamma 5 = 00 1 01. Then symbols 1..255 absent via gamma 5.
    StreamBuilder stream(3);
    stream.Bits("1 00101  1 00101").Bits(std::string(254, '0').c_str());
    // Only symbol 0 has a code (00000), so the code is incomplete but usable.
    stream.Bits("00000 00000 00000");
    EXPECT_EQ(DecodeBoth(stream.Bytes()), (std::vector<uint8_t>{0, 0, 0}));
}
