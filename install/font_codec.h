#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "codec/byte_buffer.h"
#include "codec/cmp_file.h"
#include "codec/sfnt_check.h"

// The two buffers of the per-font procedure, kept from one font to the next:
// at most the largest .cmp file and the largest font are held at once.
struct VLFontBuffers {
    VLCmpFileBytes file;
    VLReusableBuffer font;
};

// The codec steps the per-font procedure calls, as replaceable functions so the
// procedure can be tested without real .cmp files.
struct VLFontCodec {
    // Reads a .cmp file (a path as this system's calls take it) into file,
    // adding the reading share of the progress; false when it cannot be read.
    std::function<bool(const std::string& path, VLCmpFileBytes& file)> readCmpFile;
    // Decodes it into font (size included); false for a malformed stream.
    std::function<bool(const uint8_t* file, uint32_t fileSize, VLReusableBuffer& font)> decompressCmp;
    // Undoes the scrambling in place; false on a checksum mismatch.
    std::function<bool(int32_t number, uint8_t* buffer, uint32_t size)> descrambleFont;
    // The decoded font's own table structure and checksums; none: not checked.
    std::function<VLSfntCheck(const uint8_t* font, size_t size, std::string& problem)> checkFont;
    // Shared by every copy of this codec; none: fresh buffers for each font.
    std::shared_ptr<VLFontBuffers> buffers;
};

// The real codec (codec/), with buffers of its own.
VLFontCodec GetFontCodec();
