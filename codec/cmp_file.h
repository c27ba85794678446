#pragma once

#include <cstdint>
#include <string>

#include "codec/byte_buffer.h"
#include "codec/decode_status.h"

// Reads the whole .cmp file in 3000-byte chunks, adding 30 progress units in
// all. Empty result when the file cannot be opened, is empty or cannot be read.
VLByteBuffer ReadCmpFile(const std::string& path);

// Decodes a whole .cmp file (4-byte little-endian decoded size D, then the bit
// stream) into a new buffer of D bytes. Empty result for every malformed
// stream; never reads or writes outside the buffers. When status is given it
// receives the reason for an empty result (kOk otherwise).
VLByteBuffer DecompressCmp(const uint8_t* file, uint32_t fileSize, VLDecodeStatus* status = nullptr);
