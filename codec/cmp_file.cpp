#include "codec/cmp_file.h"

#include <algorithm>
#include <fstream>
#include <new>

#include "codec/decode_limits.h"
#include "codec/table_huffman_decoder.h"
#include "platform/regular_file.h"

namespace {

// The progress bar's step, and the piece the file is read in.
constexpr uint32_t kChunkSize = 3000;
constexpr uint32_t kReadSize = 1u << 20;
// A .cmp file is never larger than its decoded font plus the code-length section.
constexpr uint64_t kMaxCmpFileSize = static_cast<uint64_t>(kMaxDecodedSize) * 2u;
// Codes are at most 16 bits, so a stream takes at most two bytes per decoded
// byte, after a code-length section far below this margin.
constexpr uint64_t kCodeLengthMargin = 64u * 1024u;

uint32_t DeclaredSize(const uint8_t header[4]) {
    return static_cast<uint32_t>(header[0]) | static_cast<uint32_t>(header[1]) << 8 |
           static_cast<uint32_t>(header[2]) << 16 | static_cast<uint32_t>(header[3]) << 24;
}

// Whether a file of fileSize bytes that starts with header could be a .cmp
// file. Small files are read whole anyway; a large one must declare a decoded
// size it could hold, so a forged file is refused before it is read.
bool IsPlausibleSize(const uint8_t header[4], uint64_t fileSize) {
    if (fileSize <= kCodeLengthMargin) return true;
    const uint32_t decoded = DeclaredSize(header);
    // A stream too short for its size is the decoder's to report.
    if (decoded > kMaxDecodedSize) return false;
    return fileSize <= 4u + 2u * static_cast<uint64_t>(decoded) + kCodeLengthMargin;
}

bool ReadWhole(const std::string& path, VLReusableBuffer& out, const VLChunkSink& onChunk) {
    if (!IsRegularFile(path)) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end <= 0 || static_cast<uint64_t>(end) > kMaxCmpFileSize) return false;
    file.seekg(0, std::ios::beg);
    uint8_t header[4] = {};
    file.read(reinterpret_cast<char*>(header), sizeof(header));
    if (!IsPlausibleSize(header, static_cast<uint64_t>(end))) return false;
    file.clear();  // a file shorter than the header ended that read
    file.seekg(0, std::ios::beg);
    const uint32_t length = static_cast<uint32_t>(end);
    if (!out.Resize(length)) return false;

    // Pieces larger than the stream's own buffer go straight into ours. A
    // file that is a whole number of chunks ends with one empty chunk, which
    // the sink hears of too.
    const uint32_t chunks = length / kChunkSize + 1;
    uint32_t offset = 0;
    uint32_t told = 0;
    while (told < chunks) {
        const uint32_t size = std::min(kReadSize, length - offset);
        if (size > 0) {
            file.read(reinterpret_cast<char*>(out.Data() + offset), static_cast<std::streamsize>(size));
            // A file that shrank while being read would leave bytes unset.
            if (static_cast<uint32_t>(file.gcount()) != size) return false;
            offset += size;
        }
        const uint32_t whole = offset == length ? chunks : offset / kChunkSize;
        for (; told < whole; ++told) {
            if (onChunk) onChunk(chunks);
        }
    }
    return true;
}

}  // namespace

bool ReadCmpFileInto(const std::string& path, VLReusableBuffer& file, const VLChunkSink& onChunk) {
    bool read = false;
    try {
        read = ReadWhole(path, file, onChunk);
    } catch (...) {
        read = false;
    }
    if (!read) file.Resize(0);
    return read;
}

VLByteBuffer ReadCmpFile(const std::string& path, const VLChunkSink& onChunk) {
    VLReusableBuffer file;
    if (!ReadCmpFileInto(path, file, onChunk)) return VLByteBuffer();
    return file.Release();
}

VLDecodeStatus DecompressCmpInto(const uint8_t* file, uint32_t fileSize, VLReusableBuffer& font,
                                 VLTableHuffmanDecoder* decoder) {
    if (!file || fileSize < 4) return VLDecodeStatus::kTooShort;
    const uint32_t decodedSize = DeclaredSize(file);
    VLDecodeStatus outcome = CheckDecodedSize(decodedSize, fileSize - 4u);
    if (outcome != VLDecodeStatus::kOk) return outcome;
    // A little room past the font lets the decoder work on parts of it at
    // once; without it the stream is decoded in one piece.
    const uint64_t room = VLTableHuffmanDecoder::RoomToSplit(decodedSize);
    if (room > UINT32_MAX || !font.Resize(static_cast<uint32_t>(room))) {
        if (!font.Resize(decodedSize)) return VLDecodeStatus::kNoMemory;
    }
    const uint32_t given = font.Size();
    font.Resize(decodedSize);  // never shrinks the buffer itself
    try {
        if (decoder) {
            outcome = decoder->Decode(file + 4, fileSize - 4u, font.Data(), decodedSize, given);
        } else {
            VLTableHuffmanDecoder fresh;
            outcome = fresh.Decode(file + 4, fileSize - 4u, font.Data(), decodedSize, given);
        }
    } catch (...) {
        // The decoder's tables are its only allocations.
        outcome = VLDecodeStatus::kNoMemory;
    }
    return outcome;
}

VLByteBuffer DecompressCmp(const uint8_t* file, uint32_t fileSize, VLDecodeStatus* status) {
    VLDecodeStatus ignored;
    VLDecodeStatus& outcome = status ? *status : ignored;
    VLReusableBuffer font;
    outcome = DecompressCmpInto(file, fileSize, font);
    if (outcome != VLDecodeStatus::kOk) return VLByteBuffer();
    return font.Release();
}
