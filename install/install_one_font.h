#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "catalogue/font_info.h"
#include "install/decode_ahead.h"
#include "install/font_codec.h"
#include "install/font_destination.h"
#include "install/font_installer.h"
#include "platform/install_platform.h"

// Results of InstallOneFont.
constexpr int32_t kInstallSucceeded = 0;
constexpr int32_t kInstallFailed = 4;

// Reads and decodes the font's .cmp file at sourcePath, checks it (checksum,
// then the font's own table structure) and writes it to destPath, registering
// it inside the system font folder. 0 when done, 4 on any failure, which
// leaves no file at destPath: a font type other than "OTF" or "TTF" and a
// registration the system refuses fail too. Moves the progress bar from 0 to
// 100 and back to 0 on success. The report tells why a font failed, whether it
// was registered and of damage that did not stop it. Never throws.
int32_t InstallOneFont(VLInstallPlatform& platform, const VLFontCodec& codec, const std::string& destPath,
                       const VLFontInfo& font, const std::string& sourcePath, const std::string& fontType,
                       VLFontReport* report = nullptr);
// The same, registering as the destination chose.
int32_t InstallOneFont(VLInstallPlatform& platform, const VLFontCodec& codec, const std::string& destPath,
                       VLFontRegistrationKind registration, const VLFontInfo& font,
                       const std::string& sourcePath, const std::string& fontType,
                       VLFontReport* report = nullptr);

// The install job's font installer: InstallOneFont over the platform and codec,
// and once the job is over, when any font was registered, a font-change
// notice to every running program. Warnings about fonts installed despite
// damage go to the warning sink, when there is one. Without a registration
// kind each font follows the wizard's rule for its path; with one, every font
// is registered so (the command line chooses it once for its destination).
class VLFontInstaller : public IVLFontInstaller {
public:
    using WarningSink = std::function<void(const std::string& destPath, const std::string& warning)>;
    VLFontInstaller(VLInstallPlatform& platform, VLFontCodec codec, WarningSink warn = nullptr);
    VLFontInstaller(VLInstallPlatform& platform, VLFontCodec codec, VLFontRegistrationKind registration,
                    WarningSink warn = nullptr);

    VLFontOutcome InstallOneFont(const std::string& destPath, const VLFontInfo& font,
                                 const std::string& sourcePath, const std::string& fontType) override;
    void SetNextFont(const VLFontInfo* font, const std::string& sourcePath) override;
    void FinishJob() override;

    // The font the job installs next, decoded while the current font's file
    // goes to the disk when the codec keeps its buffers.
    struct NextFont {
        bool known = false;
        VLFontInfo font;  // a copy: the package's list may grow meanwhile
        std::string sourcePath;
        VLDecodeAhead ahead;
        std::string aheadWarning;
    };

private:
    VLInstallPlatform& m_platform;
    VLFontCodec m_codec;
    WarningSink m_warn;
    bool m_bFixedRegistration = false;
    VLFontRegistrationKind m_registration = VLFontRegistrationKind::kNone;
    bool m_bRegisteredAny = false;
    NextFont m_next;
};
