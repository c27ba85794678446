#pragma once

#include <cstdint>
#include <string>

#include "catalogue/font_info.h"
#include "install/font_codec.h"
#include "install/font_installer.h"
#include "platform/install_platform.h"

// Results of InstallOneFont.
constexpr int32_t kInstallSucceeded = 0;
constexpr int32_t kInstallFailed = 4;

// Reads and decodes the font's .cmp file at sourcePath, checks it and writes it
// to destPath (registering it inside the system font folder). 0 when done,
// 4 on any failure, which leaves no file at destPath. A font type other than
// "OTF" or "TTF" writes nothing and still gives 0. Moves the progress bar from
// 0 to 100 and back to 0 on success. *registered tells whether the font was
// registered with the system. Never throws.
int32_t InstallOneFont(VLInstallPlatform& platform, const VLFontCodec& codec, const std::string& destPath,
                       const VLFontInfo& font, const std::string& sourcePath, const std::string& fontType,
                       bool* registered = nullptr);

// The install job's font installer: InstallOneFont over the platform and codec,
// and once the job is over, when any font was registered, a font-change
// notice to every running program.
class VLFontInstaller : public IVLFontInstaller {
public:
    VLFontInstaller(VLInstallPlatform& platform, VLFontCodec codec);

    int32_t InstallOneFont(const std::string& destPath, const VLFontInfo& font, const std::string& sourcePath,
                           const std::string& fontType) override;
    void FinishJob() override;

private:
    VLInstallPlatform& m_platform;
    VLFontCodec m_codec;
    bool m_bRegisteredAny = false;
};
