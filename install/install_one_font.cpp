#include "install/install_one_font.h"

#include <utility>

#include "install/diagnostic_log.h"
#include "install/font_naming.h"
#include "install/font_registration.h"
#include "install/font_writer.h"
#include "install/progress.h"

namespace {

int32_t InstallDecoded(VLInstallPlatform& platform, const VLFontCodec& codec, const std::string& destPath,
                       const VLFontInfo& font, const std::string& sourcePath, const std::string& fontType,
                       bool* registered) {
    DiagnosticLog().Trace("start");
    ResetProgress();

    VLByteBuffer payload;
    {
        // The compressed file is released before descrambling: at most two
        // copies of the font are held at once.
        const VLByteBuffer file = codec.readCmpFile(platform.files.ToNativePath(sourcePath));
        if (!file) return kInstallFailed;
        DiagnosticLog().Trace("readFile ok");
        payload = codec.decompressCmp(file.data.get(), file.size);
        if (!payload) return kInstallFailed;
        AddProgress(20.0);
        DiagnosticLog().Trace("decompress ok");
    }

    if (!codec.descrambleFont(font.m_fileNumber, payload.data.get(), payload.size)) return kInstallFailed;
    AddProgress(20.0);

    VLFontNames names;
    if (ChooseFontNames(fontType, font, IsVersion6OrLater(platform.system), names)) {
        if (!WriteFontFile(platform, destPath, names.fileName, names.valueName, payload.data.get(), payload.size,
                           registered)) {
            return kInstallFailed;
        }
    }
    payload = VLByteBuffer();
    ResetProgress();
    return kInstallSucceeded;
}

}  // namespace

int32_t InstallOneFont(VLInstallPlatform& platform, const VLFontCodec& codec, const std::string& destPath,
                       const VLFontInfo& font, const std::string& sourcePath, const std::string& fontType,
                       bool* registered) {
    if (registered) *registered = false;
    try {
        return InstallDecoded(platform, codec, destPath, font, sourcePath, fontType, registered);
    } catch (...) {
        return kInstallFailed;
    }
}

VLFontInstaller::VLFontInstaller(VLInstallPlatform& platform, VLFontCodec codec)
    : m_platform(platform), m_codec(std::move(codec)) {}

int32_t VLFontInstaller::InstallOneFont(const std::string& destPath, const VLFontInfo& font,
                                        const std::string& sourcePath, const std::string& fontType) {
    bool registered = false;
    const int32_t result = ::InstallOneFont(m_platform, m_codec, destPath, font, sourcePath, fontType, &registered);
    m_bRegisteredAny = m_bRegisteredAny || registered;
    return result;
}

void VLFontInstaller::FinishJob() {
    if (m_bRegisteredAny) m_platform.registry.BroadcastFontChange();
    m_bRegisteredAny = false;
}
