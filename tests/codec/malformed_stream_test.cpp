// Every malformed .cmp file gives no buffer, from both decoders, without
// reading past the file (it ends at a guard page) or writing past the output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/cmp_file.h"
#include "codec/huffman_decoder.h"
#include "codec/table_huffman_decoder.h"
#include "tests/codec/guarded_buffer.h"
#include "tests/codec/stream_builder.h"

namespace {

std::array<uint16_t, 256> AllOfLength(uint16_t length, int symbols = 256) {
    std::array<uint16_t, 256> lengths{};
    for (int s = 0; s < symbols; ++s) lengths[static_cast<size_t>(s)] = length;
    return lengths;
}

// Lengths 1, 2, ..., 15 and three of 16: one code of 16 bits too many.
std::array<uint16_t, 256> ChainWithThreeLongest() {
    std::array<uint16_t, 256> lengths{};
    for (uint16_t l = 1; l <= 15; ++l) lengths[l] = l;
    lengths[0] = lengths[16] = lengths[17] = 16;
    return lengths;
}

// The 38-byte example file with another size: its padding bits decode to a 5th symbol.
std::vector<uint8_t> ExampleFile(uint8_t decodedSize) {
    std::vector<uint8_t> file = {decodedSize, 0x00, 0x00, 0x00, 0xA1, 0x40};
    file.insert(file.end(), 31, 0x00);
    file.push_back(0x6C);
    return file;
}

struct Case {
    const char* name;
    std::vector<uint8_t> file;
    VLDecodeStatus why;
};

std::vector<Case> MalformedCases() {
    const auto twoOfLengthOne = LengthsOf({{0, 1}, {1, 1}});
    std::vector<Case> cases = {
        {"empty file", {}, VLDecodeStatus::kTooShort},
        {"three bytes", {0x00, 0x00, 0x00}, VLDecodeStatus::kTooShort},
        {"size near 4 GiB", {0xFF, 0xFF, 0xFF, 0xFF, 0x00}, VLDecodeStatus::kSizeImpossible},
        {"size one above 8 bits per stream byte",
         {0x09, 0x00, 0x00, 0x00, 0x00},
         VLDecodeStatus::kSizeImpossible},
        {"size 0, lengths cut short", {0x00, 0x00, 0x00, 0x00, 0x00}, VLDecodeStatus::kTruncated},
        {"stream ends before the last symbol", ExampleFile(6), VLDecodeStatus::kTruncated},
        {"length 17", StreamBuilder(1).Lengths(LengthsOf({{0, 17}})).Bits("0").Bytes(),
         VLDecodeStatus::kLengthTooLong},
        {"length 17 with size 0", StreamBuilder(0).Lengths(LengthsOf({{5, 17}})).Bytes(),
         VLDecodeStatus::kLengthTooLong},
        {"gamma of 16 zero bits",
         StreamBuilder(0).Bits("1 0000000000000000 1").Bits(std::string(64, '0').c_str()).Bytes(),
         VLDecodeStatus::kLengthTooLong},
        {"gamma cut short", StreamBuilder(0).Bits("1 000").Bytes(), VLDecodeStatus::kTruncated},
        {"three codes of length 1",
         StreamBuilder(1).Lengths(LengthsOf({{0, 1}, {1, 1}, {2, 1}})).Bits("0").Bytes(),
         VLDecodeStatus::kOverSubscribed},
        {"over-subscribed only at length 16",
         StreamBuilder(1).Lengths(ChainWithThreeLongest()).Bits("0").Bytes(),
         VLDecodeStatus::kOverSubscribed},
        {"single code 0 meets a 1 bit", StreamBuilder(2).Lengths(LengthsOf({{9, 1}})).Bits("01").Bytes(),
         VLDecodeStatus::kMissingCode},
        {"incomplete code meets its gap",
         StreamBuilder(2).Lengths(LengthsOf({{1, 1}, {2, 2}})).Bits("0 11").Bytes(),
         VLDecodeStatus::kMissingCode},
        {"gap behind a long code",
         StreamBuilder(1).Lengths(LengthsOf({{1, 1}, {2, 14}})).Bits("1111111111111111").Bytes(),
         VLDecodeStatus::kMissingCode},
        {"no code at all and one symbol", StreamBuilder(1).Lengths({}).Bits("0").Bytes(),
         VLDecodeStatus::kMissingCode},
        {"256 codes of length 16 need 263 tree nodes",
         StreamBuilder(1).Lengths(AllOfLength(16)).Bits("0000000000000000").Bytes(),
         VLDecodeStatus::kPoolOverflow},
        {"249 codes of length 16 need 259 tree nodes",
         StreamBuilder(1).Lengths(AllOfLength(16, 249)).Bits("0000000000000000").Bytes(),
         VLDecodeStatus::kPoolOverflow},
        {"two codes of length 1, stream ends", StreamBuilder(9).Lengths(twoOfLengthOne).Bits("0101").Bytes(),
         VLDecodeStatus::kTruncated},
    };
    return cases;
}

}  // namespace

TEST(MalformedStream, EachGivesNoBufferFromBothDecoders) {
    for (const Case& c : MalformedCases()) {
        SCOPED_TRACE(c.name);
        GuardedBuffer guarded(c.file);
        VLDecodeStatus status = VLDecodeStatus::kOk;
        const VLByteBuffer result =
            DecompressCmp(guarded.data(), static_cast<uint32_t>(guarded.size()), &status);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.size, 0u);
        EXPECT_EQ(status, c.why);

        if (c.file.size() < 4 || c.why == VLDecodeStatus::kSizeImpossible) continue;
        const uint32_t count =
            c.file[0] | c.file[1] << 8 | c.file[2] << 16 | static_cast<uint32_t>(c.file[3]) << 24;
        // The output ends at a guard page too.
        const std::vector<uint8_t> zeros(count);
        GuardedBuffer output(zeros);
        CHuffmanDecoder walker;
        EXPECT_NE(walker.Decode(guarded.data() + 4, guarded.size() - 4, output.data(), count),
                  VLDecodeStatus::kOk);
    }
}

TEST(MalformedStream, CodeNeedingExactlyTheWholeTreePoolDecodes) {
    // 248 codes of length 16 need 256 inner nodes, all the pool holds.
    std::array<uint16_t, 256> lengths{};
    for (int s = 0; s < 248; ++s) lengths[static_cast<size_t>(s)] = 16;
    const std::vector<uint8_t> file =
        StreamBuilder(2).Lengths(lengths).Bits("0000000011110111 0000000000000000").Bytes();
    const VLByteBuffer result = DecompressCmp(file.data(), static_cast<uint32_t>(file.size()));
    ASSERT_TRUE(result);
    EXPECT_EQ(result.data[0], 247);
    EXPECT_EQ(result.data[1], 0);
}

TEST(MalformedStream, AbsentInputFails) {
    EXPECT_FALSE(DecompressCmp(nullptr, 0));
    EXPECT_FALSE(DecompressCmp(nullptr, 100));
    CHuffmanDecoder walker;
    uint8_t out[1];
    EXPECT_NE(walker.Decode(nullptr, 10, out, 1), VLDecodeStatus::kOk);
}
