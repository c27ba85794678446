#include "install/font_status.h"

#include <cstring>

#include "codec/decode_limits.h"
#include "install/font_registration.h"

namespace {

bool SameBytes(const VLReusableBuffer& payload, const std::string& installed) {
    // The payload's last byte is its checksum, never written.
    return payload.Size() >= 1 && installed.size() == payload.Size() - 1 &&
           std::memcmp(installed.data(), payload.Data(), installed.size()) == 0;
}

}  // namespace

const char* FontStateName(VLFontState state) {
    switch (state) {
        case VLFontState::kInstalled:
            return "installed";
        case VLFontState::kUnregistered:
            return "unregistered";
        case VLFontState::kMissing:
            return "missing";
        case VLFontState::kOlder:
            return "older";
        case VLFontState::kNewer:
            return "newer";
        case VLFontState::kDifferent:
            return "different";
        case VLFontState::kUnavailable:
            return "unavailable";
    }
    return "unavailable";
}

const char* LifeOutcomeName(VLLifeOutcome outcome) {
    switch (outcome) {
        case VLLifeOutcome::kNothingToDo:
            return "nothing-to-do";
        case VLLifeOutcome::kInstalled:
            return "installed";
        case VLLifeOutcome::kAlreadyInstalled:
            return "already-installed";
        case VLLifeOutcome::kRegistered:
            return "registered";
        case VLLifeOutcome::kUpgraded:
            return "upgraded";
        case VLLifeOutcome::kUpgradeAtRestart:
            return "upgrade-at-restart";
        case VLLifeOutcome::kRemoved:
            return "removed";
        case VLLifeOutcome::kRemoveAtRestart:
            return "remove-at-restart";
        case VLLifeOutcome::kLeftAlone:
            return "left-alone";
        case VLLifeOutcome::kFailed:
            return "failed";
    }
    return "failed";
}

VLReusableBuffer& FontBufferOf(const VLFontCodec& codec, VLReusableBuffer& own) {
    return codec.buffers ? codec.buffers->font : own;
}

bool DecodePackageFont(VLInstallPlatform& platform, const VLFontCodec& codec, const VLFontEntry& entry,
                       VLReusableBuffer& font, std::string& problem, std::string* warning) {
    try {
        VLCmpFileBytes ownFile;
        VLCmpFileBytes& file = codec.buffers ? codec.buffers->file : ownFile;
        if (!codec.readCmpFile(platform.files.ToNativePath(entry.sourcePath), file)) {
            problem = "the package's font file cannot be read";
            return false;
        }
        if (!codec.decompressCmp(file.Data(), file.Size(), font) || font.Size() == 0) {
            problem = "the package's font cannot be decoded";
            return false;
        }
        if (!codec.descrambleFont(entry.font->m_fileNumber, font.Data(), font.Size())) {
            problem = "the package's font fails its checksum";
            return false;
        }
        if (codec.checkFont) {
            std::string damage;
            const VLSfntCheck check = codec.checkFont(font.Data(), font.Size() - 1, damage);
            if (check == VLSfntCheck::kBroken) {
                problem = "the package's font is damaged: " + damage;
                return false;
            }
            if (check == VLSfntCheck::kChecksumMismatch && warning) *warning = damage;
        }
    } catch (...) {
        problem = "the package's font cannot be decoded";
        return false;
    }
    return true;
}

VLFontEntry MakeFontEntry(VLInstallPlatform& platform, const VLPackageInfo& package, int32_t index,
                          const std::string& fontDataDir, const VLFontDestination& destination) {
    VLFontEntry entry;
    entry.index = index;
    entry.font = &package.m_fonts[static_cast<size_t>(index)];
    entry.sourcePath = SourcePathOf(fontDataDir, entry.font->m_baseName);
    entry.destPath = destination.folder + "\\" + package.GetOutputFileName(index);
    // The name comes from the package: one that is not a plain file name
    // could reach outside both folders, so nothing is looked up for it.
    if (!NamesAreSafe(entry.font->m_baseName, entry.sourcePath, entry.destPath)) {
        entry.state = VLFontState::kUnavailable;
        entry.unavailable = VLUnavailableReason::kUnsafeName;
        entry.message = "the font's file name cannot be used at the destination";
        return entry;
    }
    if (!ChooseFontNames(package.m_fontType, *entry.font, IsVersion6OrLater(platform.system), entry.names)) {
        entry.state = VLFontState::kUnavailable;
        entry.unavailable = VLUnavailableReason::kUnknownFontType;
        entry.failure = VLFontOutcome::kUnknownFontType;
        entry.message = "the package's font type is not supported";
    }
    return entry;
}

void ClassifyFont(VLInstallPlatform& platform, const VLFontCodec& codec, const VLFontDestination& destination,
                  VLFontEntry& entry, bool decodeMissing) {
    if (entry.unavailable != VLUnavailableReason::kNone) return;
    const bool present = platform.files.Exists(entry.destPath);
    if (!present && !decodeMissing) {
        entry.state = VLFontState::kMissing;
        return;
    }
    std::string problem;
    VLReusableBuffer own;
    VLReusableBuffer& payload = FontBufferOf(codec, own);
    if (!DecodePackageFont(platform, codec, entry, payload, problem)) {
        entry.state = VLFontState::kUnavailable;
        entry.unavailable = VLUnavailableReason::kUndecodable;
        entry.message = problem;
        return;
    }
    entry.packageVersion = ReadFontVersion(payload.Data(), payload.Size() - 1);
    entry.hasPackageVersion = true;
    if (!present) {
        entry.state = VLFontState::kMissing;
    } else {
        std::string installed;
        if (!platform.files.ReadWholeFile(entry.destPath, kMaxDecodedSize, installed)) {
            // A folder, a device or a file nobody may read: not ours to touch.
            entry.state = VLFontState::kDifferent;
            entry.message = "the file at the destination cannot be read";
        } else if (SameBytes(payload, installed)) {
            entry.state = destination.registration == VLFontRegistrationKind::kNone ||
                                  IsRegisteredAtDestination(platform, destination, entry.names.valueName,
                                                            entry.names.fileName)
                              ? VLFontState::kInstalled
                              : VLFontState::kUnregistered;
        } else {
            entry.installedVersion =
                ReadFontVersion(reinterpret_cast<const uint8_t*>(installed.data()), installed.size());
            entry.hasInstalledVersion = true;
            switch (CompareFontVersions(entry.installedVersion, entry.packageVersion)) {
                case VLVersionOrder::kLower:
                    entry.state = VLFontState::kOlder;
                    break;
                case VLVersionOrder::kHigher:
                    entry.state = VLFontState::kNewer;
                    break;
                case VLVersionOrder::kSame:
                case VLVersionOrder::kUnknown:
                    entry.state = VLFontState::kDifferent;
                    break;
            }
        }
    }
}
