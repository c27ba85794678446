#include "codec/cmp_encoder.h"

#include "codec/bit_writer.h"
#include "codec/decode_limits.h"
#include "codec/font_scrambler.h"
#include "codec/huffman_code.h"
#include "codec/huffman_lengths.h"

std::optional<std::vector<uint8_t>> EncodeCmpWithLengths(const uint8_t* payload, size_t size,
                                                         const std::array<uint16_t, 256>& lengths) {
    if (size > kMaxDecodedSize) return std::nullopt;
    std::array<uint16_t, 256> codes{};
    if (!AssignCanonicalCodes(lengths.data(), 256, codes.data())) return std::nullopt;

    VLBitWriter writer;
    writer.Bytes().reserve(size / 2 + 64);
    for (int i = 0; i < 4; ++i) writer.WriteBits(static_cast<uint32_t>(size >> (8 * i)) & 0xFF, 8);
    writer.WriteCodeLengths(lengths.data());

    // Symbols: whole codes are gathered in a 64-bit accumulator and flushed a byte at a time.
    std::vector<uint8_t>& bytes = writer.Bytes();
    uint64_t pending = 0;
    unsigned pendingBits = static_cast<unsigned>(writer.BitCount() & 7);
    if (pendingBits) {
        pending = bytes.back() >> (8 - pendingBits);
        bytes.pop_back();
    }
    for (size_t i = 0; i < size; ++i) {
        const uint16_t length = lengths[payload[i]];
        if (length == 0 || length > kMaxCodeLength) return std::nullopt;
        pending = pending << length | codes[payload[i]];
        pendingBits += length;
        while (pendingBits >= 8) {
            pendingBits -= 8;
            bytes.push_back(static_cast<uint8_t>(pending >> pendingBits));
        }
    }
    if (pendingBits) bytes.push_back(static_cast<uint8_t>(pending << (8 - pendingBits)));
    return std::move(bytes);
}

std::optional<std::vector<uint8_t>> EncodeCmp(const uint8_t* payload, size_t size) {
    std::array<uint64_t, 256> counts{};
    for (size_t i = 0; i < size; ++i) ++counts[payload[i]];
    return EncodeCmpWithLengths(payload, size, BuildCodeLengths(counts));
}

std::optional<std::vector<uint8_t>> PackFont(int32_t number, const uint8_t* font, size_t size) {
    if (size >= kMaxDecodedSize) return std::nullopt;
    const std::vector<uint8_t> payload = ScrambleFont(number, font, static_cast<uint32_t>(size));
    return EncodeCmp(payload.data(), payload.size());
}
