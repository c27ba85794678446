#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/inf_file.h"

// Files of this size or larger are never read.
constexpr size_t kMaxInfFileSize = 1024000;

// The whole file, or null when it cannot be opened or is kMaxInfFileSize bytes or longer.
std::unique_ptr<uint8_t[]> ReadWholeFile(const std::string& path, size_t& size);

// Reads, recognises, parses and validates otf.inf. Null when the file cannot be
// used, and then *problem (when given) says why; never throws and never shows
// anything.
std::unique_ptr<VLInfFile> LoadInfFile(const std::string& path, VLInfProblem* problem = nullptr);
// The same over bytes already in memory (the buffer is descrambled in place).
std::unique_ptr<VLInfFile> LoadInfBytes(uint8_t* bytes, size_t size, VLInfProblem* problem = nullptr);

// "line 12: reason", or the reason alone for the file as a whole.
std::string DescribeInfProblem(const VLInfProblem& problem);

// True when the loaded catalogue is in the keyword format.
bool IsKeywordFormat(const VLInfFile& catalogue);
