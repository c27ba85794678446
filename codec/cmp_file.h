#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "codec/byte_buffer.h"
#include "codec/decode_status.h"

// Told after every 3000-byte chunk read (the empty last one of a file that is
// a whole number of chunks too), with the number of chunks: a progress bar's
// share. The file is read in far larger pieces; the sink hears of the chunks
// each piece held once it is in.
using VLChunkSink = std::function<void(uint32_t chunkCount)>;

// Reads the whole .cmp file into file, whose room is kept from earlier reads,
// with few large reads. False when the file cannot be opened, is not a regular
// file, is empty, cannot be read or is larger than a .cmp file of the size it
// declares could be.
bool ReadCmpFileInto(const std::string& path, VLReusableBuffer& file, const VLChunkSink& onChunk = nullptr);

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
