// DescrambleFont and its inverse ScrambleFont.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "codec/font_descrambler.h"
#include "codec/font_scrambler.h"
#include "tests/codec/guarded_buffer.h"

namespace {

// Positions of an all-zero font that scrambling changes.
std::set<uint32_t> ChangedPositions(int32_t number, uint32_t fontBytes) {
    const std::vector<uint8_t> zeros(fontBytes);
    const std::vector<uint8_t> payload = ScrambleFont(number, zeros.data(), fontBytes);
    std::set<uint32_t> changed;
    for (uint32_t i = 0; i < fontBytes; ++i) {
        if (payload[i] != 0) changed.insert(i);
    }
    return changed;
}

std::set<uint32_t> Range(uint32_t first, uint32_t last) {
    std::set<uint32_t> positions;
    for (uint32_t i = first; i <= last; ++i) positions.insert(i);
    return positions;
}

}  // namespace

TEST(Descrambling, NumberZeroWithSixtyBytesScramblesTwoStretches) {
    std::set<uint32_t> expected = Range(0, 16);
    const std::set<uint32_t> second = Range(40, 44);
    expected.insert(second.begin(), second.end());
    EXPECT_EQ(ChangedPositions(0, 60), expected);
}

TEST(Descrambling, FirstAmounts) {
    struct Case {
        int32_t number;
        std::vector<uint8_t> amounts;
    };
    const Case cases[] = {
        {0, {2, 5, 7, 10, 12, 15, 17, 20}},
        {5, {15, 17, 20, 22, 25}},
        {-2, {254, 0, 2, 5}},  // k = -1, 0, 1, 2: d = -2, 0, 2, 5 (the quotient truncates toward zero)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        std::vector<uint8_t> payload(1001, 0);
        payload[1000] = 0;
        // Descrambling zeros leaves 0 - d at each scrambled position.
        DescrambleFont(c.number, payload.data(), static_cast<uint32_t>(payload.size()));
        for (size_t i = 0; i < c.amounts.size(); ++i) {
            EXPECT_EQ(static_cast<uint8_t>(-payload[i]), c.amounts[i]) << "position " << i;
        }
    }
}

TEST(Descrambling, LargeFontIsScrambledOnlyAtItsStart) {
    const std::set<uint32_t> changed = ChangedPositions(0, 10000);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(*changed.rbegin(), 2884u);
    EXPECT_TRUE(changed.count(0));
}

TEST(Descrambling, HugeNumberGivesNegativeAmount) {
    // k = 214748365: 10k wraps to -2147483646, d = -536870911, low byte 0x01.
    std::vector<uint8_t> payload = {0x00, 0xFF};
    EXPECT_TRUE(DescrambleFont(214748364, payload.data(), 2));
    EXPECT_EQ(payload[0], 0xFF);
}

TEST(Descrambling, ChecksumCases) {
    struct Case {
        const char* name;
        std::vector<uint8_t> payload;
        bool sound;
    };
    const Case cases[] = {
        {"only a zero checksum byte", {0x00}, true},
        {"only a non-zero checksum byte", {0x01}, false},
        // Number 0, one font byte: d = 2 but 0 + 2 is not below 1, so it is stored plain.
        {"plain byte does not count", {0x33, 0x00}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> payload = c.payload;
        EXPECT_EQ(DescrambleFont(0, payload.data(), static_cast<uint32_t>(payload.size())), c.sound);
    }
}

TEST(Descrambling, EmptyPayloadFailsWithoutReading) {
    GuardedBuffer empty(std::vector<uint8_t>{});
    EXPECT_FALSE(DescrambleFont(0, empty.data(), 0));
    EXPECT_FALSE(DescrambleFont(0, nullptr, 0));
}

TEST(Descrambling, ChecksumIsAPlainSum) {
    std::vector<uint8_t> font(100);
    for (size_t i = 0; i < font.size(); ++i) font[i] = static_cast<uint8_t>(i * 13);
    std::vector<uint8_t> payload = ScrambleFont(7, font.data(), 100);
    ++payload[0];
    --payload[1];
    EXPECT_TRUE(DescrambleFont(7, payload.data(), static_cast<uint32_t>(payload.size())));
    payload = ScrambleFont(7, font.data(), 100);
    ++payload[0];
    EXPECT_FALSE(DescrambleFont(7, payload.data(), static_cast<uint32_t>(payload.size())));
}

TEST(Descrambling, ScrambleThenDescrambleRestoresTheFont) {
    // Sizes across several blocks of positions, and numbers whose 10k passes
    // the signed maximum or wraps within them.
    const int32_t numbers[] = {0,         1,         5,         101,     -1,      -2,
                               214748364, 214740000, 429490000, INT_MAX, INT_MIN, -214748365};
    const uint32_t sizes[] = {0, 1, 2, 39, 61, 4000, 4097, 20000};
    for (int32_t number : numbers) {
        for (uint32_t size : sizes) {
            SCOPED_TRACE(testing::Message() << "number " << number << " size " << size);
            std::vector<uint8_t> font(size);
            for (uint32_t i = 0; i < size; ++i) font[i] = static_cast<uint8_t>(i * 31 + 7);
            std::vector<uint8_t> payload = ScrambleFont(number, font.data(), size);
            ASSERT_EQ(payload.size(), size + 1u);
            ASSERT_TRUE(DescrambleFont(number, payload.data(), static_cast<uint32_t>(payload.size())));
            EXPECT_TRUE(std::equal(font.begin(), font.end(), payload.begin()));
        }
    }
}
