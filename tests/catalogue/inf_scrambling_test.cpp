#include "catalogue/inf_scrambling.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(InfScrambling, KeywordMarkerIsStoredAsKnownBytes) {
    const std::string stored = ScrambleInfText("START_INF");
    EXPECT_EQ(stored, std::string("\x67\x6A\x5A\x6D\x72\x7F\x6C\x73\x6E"));
}

TEST(InfScrambling, KeywordOffsetsRunAndRepeatEvery40Bytes) {
    const int expected[] = {20, 22, 25, 27, 30, 32, 35, 37, 40, 42};
    for (size_t i = 0; i < 10; ++i) EXPECT_EQ(KeywordSchemeOffset(i), expected[i]) << i;
    for (size_t i = 0; i < 200; ++i) EXPECT_EQ(KeywordSchemeOffset(i), KeywordSchemeOffset(i + 40)) << i;
}

TEST(InfScrambling, OlderOffsetsFoldAbove100) {
    const size_t n = 100000;
    struct {
        size_t position;
        int offset;
    } cases[] = {
        {0, 7}, {1, 10}, {2, 12}, {3, 15}, {37, 100}, {38, 1}, {76, 1}, {77, 2}, {116, 2}, {117, 3},
    };
    for (const auto& c : cases) EXPECT_EQ(CsvSchemeOffset(c.position, n), c.offset) << c.position;
}

TEST(InfScrambling, OlderSchemeLeavesTheTailPlain) {
    // A 10-byte file: only byte 0 (offset 7) has i + d < n.
    const std::string plain = "0123456789";
    const std::string stored = ScrambleInfText(plain);
    EXPECT_EQ(stored[0], static_cast<char>('0' + 7));
    EXPECT_EQ(stored.substr(1), plain.substr(1));
}

TEST(InfScrambling, BothSchemesRoundTrip) {
    std::mt19937 random(7);
    for (size_t size : {0u, 1u, 9u, 10u, 39u, 40u, 41u, 1000u}) {
        std::string body(size, '\0');
        for (char& c : body) c = static_cast<char>(random());
        for (const std::string& plain : {body, "START_INF\n" + body}) {
            EXPECT_EQ(DescrambleInfText(ScrambleInfText(plain)), plain) << size;
        }
    }
}

}  // namespace
