#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "codec/byte_buffer.h"
#include "codec/decode_status.h"
#include "platform/read_only_file.h"

// Told after every 3000-byte chunk read (the empty last one of a file that is
// a whole number of chunks too), with the number of chunks: a progress bar's
// share. The file is read in far larger pieces; the sink hears of the chunks
// each piece held once it is in.
using VLChunkSink = std::function<void(uint32_t chunkCount)>;

// A .cmp file's bytes as the decoder reads them: the file mapped into memory
// where the system allows it (no copy, no fresh pages), otherwise read into a
// buffer kept from one file to the next. Either way they stay until the next
// file is read.
class VLCmpFileBytes {
public:
    const uint8_t* Data() const { return m_mapped ? m_mapped : m_buffer.Data(); }
    uint32_t Size() const { return m_mapped ? static_cast<uint32_t>(m_file.Size()) : m_buffer.Size(); }

    // Lets go of the file and hands out the buffer that shows through Data()
    // and Size() from then on, for bytes read rather than mapped.
    VLReusableBuffer& UseBuffer() {
        m_mapped = nullptr;
        m_file.Close();
        return m_buffer;
    }

private:
    friend bool ReadCmpFileInto(const std::string&, VLCmpFileBytes&, const VLChunkSink&);

    VLReadOnlyFile m_file;
    const uint8_t* m_mapped = nullptr;  // the file's bytes while it is mapped
    VLReusableBuffer m_buffer;
};

// Reads the whole .cmp file into file, mapped or with few large reads. False,
// leaving file empty, when the file cannot be opened, is not a regular file,
// is empty, cannot be read or is larger than a .cmp file of the size it
// declares could be.
bool ReadCmpFileInto(const std::string& path, VLCmpFileBytes& file, const VLChunkSink& onChunk = nullptr);

// The same into a buffer of its own; empty result on failure.
VLByteBuffer ReadCmpFile(const std::string& path, const VLChunkSink& onChunk = nullptr);

class VLTableHuffmanDecoder;

// Decodes a whole .cmp file (4-byte little-endian decoded size D, then the bit
// stream) into font, made D bytes long (its room is kept from earlier fonts),
// with the given decoder (its tables and buffers kept from earlier fonts) or a
// fresh one. kOk, or the reason for a malformed stream; never reads or writes
// outside the buffers.
VLDecodeStatus DecompressCmpInto(const uint8_t* file, uint32_t fileSize, VLReusableBuffer& font,
                                 VLTableHuffmanDecoder* decoder = nullptr);

// The same into a new buffer: empty result for every malformed stream. When
// status is given it receives the reason for an empty result (kOk otherwise).
VLByteBuffer DecompressCmp(const uint8_t* file, uint32_t fileSize, VLDecodeStatus* status = nullptr);
