#pragma once

#include <cstdint>
#include <string>

#include "catalogue/font_info.h"

// Why a font was not installed, where the log says more than the result line.
enum class VLFontOutcome {
    kInstalled,
    kFailed,           // unreadable, undecodable, damaged or not written
    kUnknownFontType,  // the package's font type is neither "TTF" nor "OTF"
    kNameTaken,        // its registry name already names another font file
    kNotRegistered,    // the system refused the registration; nothing is left behind
};

// What became of one font beyond its result code.
struct VLFontReport {
    VLFontOutcome outcome = VLFontOutcome::kInstalled;
    bool registered = false;
    // Damage that does not stop the installation (a stale table checksum).
    std::string warning;
};

// Installs single fonts for the install job; the real one decodes, writes and
// registers (install_one_font.h), tests put a fake in its place.
class IVLFontInstaller {
public:
    virtual ~IVLFontInstaller() = default;
    // kInstalled when the font was installed. Never throws.
    virtual VLFontOutcome InstallOneFont(const std::string& destPath, const VLFontInfo& font,
                                         const std::string& sourcePath, const std::string& fontType) = 0;
    // The font the job installs after the next call, or none; the installer
    // may decode it ahead. Its name has passed the job's checks.
    virtual void SetNextFont(const VLFontInfo* /*font*/, const std::string& /*sourcePath*/) {}
    // Called once after the last font of the job.
    virtual void FinishJob() = 0;
};
