#pragma once

#include <cstdint>
#include <string>

#include "codec/byte_buffer.h"

// Helpers shared by the codec verbs.

// A name from otf.inf (Shift-JIS) as a file name here: the Windows build's ANSI
// calls take the bytes as they are, the native build's file names are UTF-8.
std::string CatalogueFileName(const std::string& sjis);

// Reads, decodes and descrambles one .cmp file. On success font holds the font
// bytes (size without the checksum byte); otherwise error says what failed.
bool DecodeFontFile(const std::string& path, int32_t number, VLByteBuffer& font, std::string& error);

// The decoded font's own structure: table checksums of a TrueType/OpenType
// file or collection. The .cmp checksum covers only the first few thousand
// bytes; this catches damage further on. note says what was found.
bool CheckFontStructure(const VLByteBuffer& font, std::string& note);

// Writes the bytes under a temporary name first and renames them into place,
// so a failed write leaves no partial file behind. False with error on failure.
bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t size, std::string& error);

bool PathExists(const std::string& path);
