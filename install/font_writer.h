#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "install/font_destination.h"
#include "install/font_installer.h"
#include "platform/install_platform.h"

// The progress bar moves once per this many bytes written.
constexpr uint32_t kWriteChunkSize = 3000;
// Bytes per write: few system calls, however the bar moves.
constexpr uint32_t kWriteBlockSize = 1u << 20;

// Number of progress steps for m font bytes: m / 3000 + 1. The last chunk
// holds the remainder, and is empty when m is a multiple of 3000.
uint32_t CountWriteChunks(uint32_t fontBytes);

// Writes the payload's first size - 1 bytes (the last is the checksum byte) as
// the font file at destPath and registers it as the destination says: under
// the machine's key by fileName, under the user's key by destPath, or not at
// all. The bytes go to a fresh file in the destination folder, which takes the
// final name only once it is complete and closed, and never replaces an
// existing file. Adds 30 progress units in all. False, leaving no file behind,
// when anything fails, the registration included (report->outcome says which
// registration failure).
// whileFlushing runs once the payload is written, while it goes to the disk.
bool WriteFontFile(VLInstallPlatform& platform, const std::string& destPath, const std::string& fileName,
                   const std::string& valueName, VLFontRegistrationKind registration, const uint8_t* payload,
                   uint32_t size, VLFontReport* report = nullptr,
                   const std::function<void()>& whileFlushing = nullptr);

// The wizard's form: registered under the machine's key when destPath lies
// in the system font folder.
bool WriteFontFile(VLInstallPlatform& platform, const std::string& destPath, const std::string& fileName,
                   const std::string& valueName, const uint8_t* payload, uint32_t size,
                   VLFontReport* report = nullptr);

// Writes the payload's first size - 1 bytes to a fresh temporary file in the
// folder (its path goes to tempPath) and closes it; adds 30 progress units.
// False, leaving nothing behind, when anything fails. whileFlushing runs
// while the written data goes to the disk (the payload is free by then).
bool WriteTempFontFile(IVLFileSystem& files, const std::string& folder, const uint8_t* payload, uint32_t size,
                       std::string& tempPath, const std::function<void()>& whileFlushing = nullptr);
