#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "codec/byte_buffer.h"
#include "codec/sfnt_check.h"

// The codec steps the per-font procedure calls, as replaceable functions so the
// procedure can be tested without real .cmp files.
struct VLFontCodec {
    // Reads a .cmp file (a path as the standard library takes it), adding the
    // reading share of the progress.
    std::function<VLByteBuffer(const std::string& path)> readCmpFile;
    std::function<VLByteBuffer(const uint8_t* file, uint32_t fileSize)> decompressCmp;
    // Undoes the scrambling in place; false on a checksum mismatch.
    std::function<bool(int32_t number, uint8_t* buffer, uint32_t size)> descrambleFont;
    // The decoded font's own table structure and checksums; none: not checked.
    std::function<VLSfntCheck(const uint8_t* font, size_t size, std::string& problem)> checkFont;
};

// The real codec (codec/).
VLFontCodec GetFontCodec();
