#include "codec/cmp_file.h"

#include <fstream>
#include <new>

#include "codec/decode_limits.h"
#include "codec/table_huffman_decoder.h"
#include "platform/regular_file.h"

namespace {

constexpr uint32_t kChunkSize = 3000;
// A .cmp file is never larger than its decoded font plus the code-length section.
constexpr uint64_t kMaxCmpFileSize = static_cast<uint64_t>(kMaxDecodedSize) * 2u;
// Codes are at most 16 bits, so a stream takes at most two bytes per decoded
// byte, after a code-length section far below this margin.
constexpr uint64_t kCodeLengthMargin = 64u * 1024u;

// Whether a file of fileSize bytes that starts with header could be a .cmp
// file. Small files are read whole anyway; a large one must declare a decoded
// size it could hold, so a forged file is refused before it is read.
bool IsPlausibleSize(const uint8_t header[4], uint64_t fileSize) {
    if (fileSize <= kCodeLengthMargin) return true;
    const uint32_t decoded = static_cast<uint32_t>(header[0]) | static_cast<uint32_t>(header[1]) << 8 |
                             static_cast<uint32_t>(header[2]) << 16 | static_cast<uint32_t>(header[3]) << 24;
    // A stream too short for its size is the decoder's to report.
    if (decoded > kMaxDecodedSize) return false;
    return fileSize <= 4u + 2u * static_cast<uint64_t>(decoded) + kCodeLengthMargin;
}

}  // namespace

VLByteBuffer ReadCmpFile(const std::string& path, const VLChunkSink& onChunk) {
    VLByteBuffer result;
    try {
        if (!IsRegularFile(path)) return result;
        std::ifstream file(path, std::ios::binary);
        if (!file) return result;
        file.seekg(0, std::ios::end);
        const std::streamoff end = file.tellg();
        if (end <= 0 || static_cast<uint64_t>(end) > kMaxCmpFileSize) return result;
        file.seekg(0, std::ios::beg);
        uint8_t header[4] = {};
        file.read(reinterpret_cast<char*>(header), sizeof(header));
        if (!IsPlausibleSize(header, static_cast<uint64_t>(end))) return result;
        file.clear();  // a file shorter than the header ended that read
        file.seekg(0, std::ios::beg);
        const uint32_t length = static_cast<uint32_t>(end);
        std::unique_ptr<uint8_t[]> data(new uint8_t[length]);

        // A file that is a whole number of chunks ends with one empty read,
        // which the sink hears of too.
        const uint32_t chunks = length / kChunkSize + 1;
        for (uint32_t c = 0; c < chunks; ++c) {
            const uint32_t offset = c * kChunkSize;
            const uint32_t size = c + 1 < chunks ? kChunkSize : length - offset;
            if (size > 0) {
                file.read(reinterpret_cast<char*>(data.get() + offset), static_cast<std::streamsize>(size));
                // A file that shrank while being read would leave bytes unset.
                if (static_cast<uint32_t>(file.gcount()) != size) return result;
            }
            if (onChunk) onChunk(chunks);
        }
        result.data = std::move(data);
        result.size = length;
    } catch (...) {
        result = VLByteBuffer();
    }
    return result;
}

VLByteBuffer DecompressCmp(const uint8_t* file, uint32_t fileSize, VLDecodeStatus* status) {
    VLDecodeStatus ignored;
    VLDecodeStatus& outcome = status ? *status : ignored;
    if (!file || fileSize < 4) {
        outcome = VLDecodeStatus::kTooShort;
        return VLByteBuffer();
    }
    const uint32_t decodedSize = static_cast<uint32_t>(file[0]) | static_cast<uint32_t>(file[1]) << 8 |
                                 static_cast<uint32_t>(file[2]) << 16 | static_cast<uint32_t>(file[3]) << 24;
    outcome = CheckDecodedSize(decodedSize, fileSize - 4u);
    if (outcome != VLDecodeStatus::kOk) return VLByteBuffer();

    VLByteBuffer result;
    try {
        // new[0] still gives a distinct pointer, so a size of 0 decodes as success.
        result.data.reset(new uint8_t[decodedSize]);
        VLTableHuffmanDecoder decoder;
        outcome = decoder.Decode(file + 4, fileSize - 4u, result.data.get(), decodedSize);
    } catch (const std::bad_alloc&) {
        outcome = VLDecodeStatus::kNoMemory;
    } catch (...) {
        outcome = VLDecodeStatus::kNoMemory;
    }
    if (outcome != VLDecodeStatus::kOk) return VLByteBuffer();
    result.size = decodedSize;
    return result;
}
