#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "codec/cmp_encoder.h"
#include "codec/cmp_file.h"
#include "codec/font_descrambler.h"
#include "codec/huffman_decoder.h"
#include "codec/table_huffman_decoder.h"

namespace {

std::vector<uint8_t> ReadFont(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const char* const kFonts[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf",
};

}  // namespace

TEST(RoundTrip, RealFontsPackAndDecodeBackByteForByte) {
    for (const char* path : kFonts) {
        SCOPED_TRACE(path);
        const std::vector<uint8_t> font = ReadFont(path);
        if (font.empty()) GTEST_SKIP() << "font not installed";
        const int32_t number = 101;
        const auto packed = PackFont(number, font.data(), font.size());
        ASSERT_TRUE(packed);
        const VLByteBuffer decoded = DecompressCmp(packed->data(), static_cast<uint32_t>(packed->size()));
        ASSERT_TRUE(decoded);
        ASSERT_EQ(decoded.size, font.size() + 1);

        // The tree walk agrees with the table decoder on the same stream.
        std::vector<uint8_t> reference(decoded.size);
        CHuffmanDecoder walker;
        ASSERT_EQ(walker.Decode(packed->data() + 4, packed->size() - 4, reference.data(), decoded.size),
                  VLDecodeStatus::kOk);
        ASSERT_TRUE(std::equal(reference.begin(), reference.end(), decoded.data.get()));

        ASSERT_TRUE(DescrambleFont(number, decoded.data.get(), decoded.size));
        EXPECT_TRUE(std::equal(font.begin(), font.end(), decoded.data.get()));
    }
}
