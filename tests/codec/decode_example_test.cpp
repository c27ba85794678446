#include <gtest/gtest.h>

#include <vector>

#include "codec/cmp_encoder.h"
#include "codec/cmp_file.h"

TEST(DecodeExample, ThirtyEightByteFileDecodesToFourBytes) {
    std::vector<uint8_t> file = {0x04, 0x00, 0x00, 0x00, 0xA1, 0x40};
    file.insert(file.end(), 31, 0x00);
    file.push_back(0x6C);
    ASSERT_EQ(file.size(), 38u);
    const VLByteBuffer decoded = DecompressCmp(file.data(), static_cast<uint32_t>(file.size()));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::vector<uint8_t>(decoded.data.get(), decoded.data.get() + decoded.size),
              (std::vector<uint8_t>{0, 1, 2, 3}));
}
