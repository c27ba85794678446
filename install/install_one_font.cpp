#include "install/install_one_font.h"

#include <memory>
#include <utility>

#include "install/diagnostic_log.h"
#include "install/font_naming.h"
#include "install/font_registration.h"
#include "install/font_writer.h"
#include "install/progress.h"

namespace {

// Reads, decodes, descrambles and checks the package's font into the
// buffers' font, moving the bar through reading, decoding and checking.
bool DecodeFont(VLInstallPlatform& platform, const VLFontCodec& codec, VLFontBuffers& buffers,
                const VLFontInfo& font, const std::string& sourcePath, std::string& warning) {
    VLReusableBuffer& payload = buffers.font;
    if (!codec.readCmpFile(platform.files.ToNativePath(sourcePath), buffers.file)) return false;
    DiagnosticLog().Trace("readFile ok");
    if (!codec.decompressCmp(buffers.file.Data(), buffers.file.Size(), payload)) return false;
    AddProgress(kProgressDecoding);
    DiagnosticLog().Trace("decompress ok");

    // Descrambled and checked where it was decoded.
    if (!codec.descrambleFont(font.m_fileNumber, payload.Data(), payload.Size())) return false;
    // The checksum covers only the first few thousand bytes: the font's own
    // structure is checked too. A broken one fails like a bad checksum; a
    // stale table checksum in a sound one (some shipping fonts have them) is
    // only worth a warning.
    if (codec.checkFont) {
        std::string problem;
        switch (codec.checkFont(payload.Data(), payload.Size() - 1, problem)) {
            case VLSfntCheck::kBroken:
                return false;
            case VLSfntCheck::kChecksumMismatch:
                warning = problem;
                break;
            case VLSfntCheck::kSound:
            case VLSfntCheck::kNotSfnt:
                break;
        }
    }
    AddProgress(kProgressChecking);
    return true;
}

int32_t InstallDecoded(VLInstallPlatform& platform, const VLFontCodec& codec, const std::string& destPath,
                       VLFontRegistrationKind registration, const VLFontInfo& font,
                       const std::string& sourcePath, const std::string& fontType, VLFontReport& report,
                       VLFontInstaller::NextFont* next) {
    DiagnosticLog().Trace("start");
    ResetProgress();

    // A font of no known type would be written nowhere: it fails before any work.
    VLFontNames names;
    if (!ChooseFontNames(fontType, font, IsVersion6OrLater(platform.system), names)) {
        report.outcome = VLFontOutcome::kUnknownFontType;
        return kInstallFailed;
    }

    // The codec's buffers serve font after font: a fresh buffer's pages
    // cost on first touch. The .cmp file and the font are all that is held.
    const std::shared_ptr<VLFontBuffers> buffers =
        codec.buffers ? codec.buffers : std::make_shared<VLFontBuffers>();
    bool decoded = false;
    if (next && next->ahead.Take(sourcePath, font.m_fileNumber, decoded)) {
        report.warning = next->aheadWarning;
    } else {
        decoded = DecodeFont(platform, codec, *buffers, font, sourcePath, report.warning);
    }
    if (!decoded) return kInstallFailed;

    // Only the kept buffer outlives this font for the next one.
    std::function<void()> decodeNext;
    if (next && next->known && codec.buffers) {
        decodeNext = [&platform, &codec, &buffers, next] {
            const VLFontInfo& coming = next->font;
            next->aheadWarning.clear();
            next->ahead.Run(next->sourcePath, coming.m_fileNumber, [&] {
                return DecodeFont(platform, codec, *buffers, coming, next->sourcePath, next->aheadWarning);
            });
        };
    }
    const VLReusableBuffer& payload = buffers->font;
    if (!WriteFontFile(platform, destPath, names.fileName, names.valueName, registration, payload.Data(),
                       payload.Size(), &report, decodeNext)) {
        return kInstallFailed;
    }
    ResetProgress();
    return kInstallSucceeded;
}

int32_t InstallGuarded(VLInstallPlatform& platform, const VLFontCodec& codec, const std::string& destPath,
                       VLFontRegistrationKind registration, const VLFontInfo& font,
                       const std::string& sourcePath, const std::string& fontType, VLFontReport* report,
                       VLFontInstaller::NextFont* next) {
    VLFontReport ignored;
    VLFontReport& result = report ? *report : ignored;
    result = VLFontReport();
    int32_t code = kInstallFailed;
    try {
        code =
            InstallDecoded(platform, codec, destPath, registration, font, sourcePath, fontType, result, next);
    } catch (...) {
        code = kInstallFailed;
    }
    if (code != kInstallSucceeded && result.outcome == VLFontOutcome::kInstalled)
        result.outcome = VLFontOutcome::kFailed;
    return code;
}

}  // namespace

int32_t InstallOneFont(VLInstallPlatform& platform, const VLFontCodec& codec, const std::string& destPath,
                       const VLFontInfo& font, const std::string& sourcePath, const std::string& fontType,
                       VLFontReport* report) {
    return InstallOneFont(platform, codec, destPath, RegistrationForPath(platform.system, destPath), font,
                          sourcePath, fontType, report);
}

int32_t InstallOneFont(VLInstallPlatform& platform, const VLFontCodec& codec, const std::string& destPath,
                       VLFontRegistrationKind registration, const VLFontInfo& font,
                       const std::string& sourcePath, const std::string& fontType, VLFontReport* report) {
    return InstallGuarded(platform, codec, destPath, registration, font, sourcePath, fontType, report,
                          nullptr);
}

VLFontInstaller::VLFontInstaller(VLInstallPlatform& platform, VLFontCodec codec, WarningSink warn)
    : m_platform(platform), m_codec(std::move(codec)), m_warn(std::move(warn)) {}

VLFontInstaller::VLFontInstaller(VLInstallPlatform& platform, VLFontCodec codec,
                                 VLFontRegistrationKind registration, WarningSink warn)
    : m_platform(platform),
      m_codec(std::move(codec)),
      m_warn(std::move(warn)),
      m_bFixedRegistration(true),
      m_registration(registration) {}

VLFontOutcome VLFontInstaller::InstallOneFont(const std::string& destPath, const VLFontInfo& font,
                                              const std::string& sourcePath, const std::string& fontType) {
    VLFontReport report;
    const VLFontRegistrationKind registration =
        m_bFixedRegistration ? m_registration : RegistrationForPath(m_platform.system, destPath);
    InstallGuarded(m_platform, m_codec, destPath, registration, font, sourcePath, fontType, &report, &m_next);
    m_bRegisteredAny = m_bRegisteredAny || report.registered;
    if (report.outcome == VLFontOutcome::kInstalled && !report.warning.empty() && m_warn)
        m_warn(destPath, report.warning);
    return report.outcome;
}

void VLFontInstaller::SetNextFont(const VLFontInfo* font, const std::string& sourcePath) {
    m_next.known = font != nullptr;
    m_next.font = font ? *font : VLFontInfo();
    m_next.sourcePath = sourcePath;
}

void VLFontInstaller::FinishJob() {
    if (m_bRegisteredAny) m_platform.registry.BroadcastFontChange();
    m_bRegisteredAny = false;
}
