#pragma once

#include <cstdint>
#include <string>

#include "catalogue/font_info.h"

// Installs single fonts for the install job; the real one decodes, writes and
// registers (install_one_font.h), tests put a fake in its place.
class IVLFontInstaller {
public:
    virtual ~IVLFontInstaller() = default;
    // 0 when the font was installed, non-zero when it was not. Never throws.
    virtual int32_t InstallOneFont(const std::string& destPath, const VLFontInfo& font, const std::string& sourcePath,
                                   const std::string& fontType) = 0;
    // Called once after the last font of the job.
    virtual void FinishJob() = 0;
};
