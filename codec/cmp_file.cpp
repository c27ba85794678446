#include "codec/cmp_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "codec/decode_limits.h"
#include "codec/table_huffman_decoder.h"

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

// A buffer of its own holding size bytes; empty when the memory cannot be had.
VLByteBuffer CopyOf(const uint8_t* data, uint32_t size) {
    VLByteBuffer copy;
    copy.data.reset(new (std::nothrow) uint8_t[size > 0 ? size : 1]);
    if (!copy.data) return VLByteBuffer();
    if (size > 0) std::memcpy(copy.data.get(), data, size);
    copy.size = size;
    return copy;
}

// Tells the sink of every chunk of a file of length bytes up to offset (all
// of them at the end, the empty last one included).
void TellChunks(uint32_t offset, uint32_t length, uint32_t& told, const VLChunkSink& onChunk) {
    // A file that is a whole number of chunks ends with one empty chunk.
    const uint32_t chunks = length / kChunkSize + 1;
    const uint32_t whole = offset == length ? chunks : offset / kChunkSize;
    for (; told < whole; ++told) {
        if (onChunk) onChunk(chunks);
    }
}

// Reads or maps the file; mapped is set when it was mapped, else buffer holds it.
bool ReadWhole(const std::string& path, VLReadOnlyFile& file, VLReusableBuffer& buffer,
               const uint8_t*& mapped, const VLChunkSink& onChunk) {
    if (file.Open(path) != VLReadOnlyFile::OpenResult::kOpened) return false;
    const uint64_t size = file.Size();
    if (size == 0 || size > kMaxCmpFileSize) return false;
    const uint32_t length = static_cast<uint32_t>(size);
    uint32_t told = 0;

    mapped = file.MapWhole();
    if (mapped) {
        if (length >= 4 && !IsPlausibleSize(mapped, size)) return false;
        TellChunks(length, length, told, onChunk);
        return true;
    }

    // The header first, so that a forged size is refused before the rest is read.
    if (!buffer.Resize(length)) return false;
    uint32_t offset = std::min<uint32_t>(4, length);
    if (!file.Read(buffer.Data(), offset)) return false;
    if (length >= 4 && !IsPlausibleSize(buffer.Data(), size)) return false;
    TellChunks(offset, length, told, onChunk);
    while (offset < length) {
        const uint32_t piece = std::min(kReadSize, length - offset);
        // A file that shrank while being read ends this early.
        if (!file.Read(buffer.Data() + offset, piece)) return false;
        offset += piece;
        TellChunks(offset, length, told, onChunk);
    }
    file.Close();
    return true;
}

}  // namespace

bool ReadCmpFileInto(const std::string& path, VLCmpFileBytes& file, const VLChunkSink& onChunk) {
    file.UseBuffer();
    const uint8_t* mapped = nullptr;
    bool read = false;
    try {
        read = ReadWhole(path, file.m_file, file.m_buffer, mapped, onChunk);
    } catch (...) {
        read = false;
    }
    if (!read) {
        file.UseBuffer().Resize(0);
        return false;
    }
    file.m_mapped = mapped;
    return true;
}

VLByteBuffer ReadCmpFile(const std::string& path, const VLChunkSink& onChunk) {
    VLCmpFileBytes file;
    if (!ReadCmpFileInto(path, file, onChunk)) return VLByteBuffer();
    // Its own copy: a mapping ends with the file.
    return CopyOf(file.Data(), file.Size());
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
    return CopyOf(font.Data(), font.Size());
}
