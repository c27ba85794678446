// The table decoder against the tree walk. Input: a 2-byte symbol count, one
// byte choosing the split (0: the default policy; otherwise always split, its
// low 6 bits + 1 the bits to fall into step, its top 2 bits + 1 the parts,
// at least 2), then the bit stream. Any difference in result or bytes aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "codec/huffman_decoder.h"
#include "codec/table_huffman_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const uint32_t count = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8;
    const uint8_t split = data[2];
    const uint32_t syncBits = (split & 63u) + 1;
    const unsigned parts = (split >> 6) + 1u;
    const uint8_t* stream = data + 3;
    const size_t streamSize = size - 3;
    // Room for the parts past the count, as the installer gives.
    std::vector<uint8_t> fast(static_cast<size_t>(VLTableHuffmanDecoder::RoomToSplit(count)));
    std::vector<uint8_t> slow(count);
    VLTableHuffmanDecoder table =
        split == 0 ? VLTableHuffmanDecoder()
                   : VLTableHuffmanDecoder(VLTableHuffmanDecoder::SplitPolicy{0, syncBits, parts});
    CHuffmanDecoder walker;
    const bool fastOk =
        table.Decode(stream, streamSize, fast.data(), count, fast.size()) == VLDecodeStatus::kOk;
    const bool slowOk = walker.Decode(stream, streamSize, slow.data(), count) == VLDecodeStatus::kOk;
    if (fastOk != slowOk) std::abort();
    if (fastOk && !std::equal(slow.begin(), slow.end(), fast.begin())) std::abort();
    return 0;
}
