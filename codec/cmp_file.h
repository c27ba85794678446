#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "codec/byte_buffer.h"
#include "codec/decode_status.h"

// Told after every chunk read (the empty last one of a file that is a whole
// number of chunks too), with the number of chunks: a progress bar's share.
using VLChunkSink = std::function<void(uint32_t chunkCount)>;

// Reads the whole .cmp file in 3000-byte chunks. Empty result when the file
// cannot be opened, is empty or cannot be read.
VLByteBuffer ReadCmpFile(const std::string& path, const VLChunkSink& onChunk = nullptr);

// Decodes a whole .cmp file (4-byte little-endian decoded size D, then the bit
// stream) into a new buffer of D bytes. Empty result for every malformed
// stream; never reads or writes outside the buffers. When status is given it
// receives the reason for an empty result (kOk otherwise).
VLByteBuffer DecompressCmp(const uint8_t* file, uint32_t fileSize, VLDecodeStatus* status = nullptr);
