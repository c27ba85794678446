#include "install/font_removal.h"

#include <memory>

#include "install/font_registration.h"
#include "install/font_replacement.h"

namespace {}  // namespace

bool MayRemoveFont(const VLFontEntry& entry, bool anyVersion) {
    switch (entry.state) {
        case VLFontState::kInstalled:
        case VLFontState::kUnregistered:
            return true;
        case VLFontState::kOlder:
        case VLFontState::kNewer:
        case VLFontState::kDifferent:
            return anyVersion && entry.hasInstalledVersion && entry.hasPackageVersion &&
                   !entry.packageVersion.family.empty() &&
                   entry.installedVersion.family == entry.packageVersion.family;
        case VLFontState::kMissing:
        case VLFontState::kUnavailable:
            break;
    }
    return false;
}

bool RemoveFont(VLInstallPlatform& platform, const VLFontDestination& destination, VLFontEntry& entry) {
    const bool registers = destination.registration != VLFontRegistrationKind::kNone;
    const std::string sessionName = SessionFontName(destination, entry.names.fileName);
    if (registers) {
        UnloadSessionFont(platform.registry, sessionName);
        if (!DeleteValuesAtDestination(platform, destination, entry.names.fileName)) {
            platform.registry.AddSessionFont(sessionName);
            entry.outcome = VLLifeOutcome::kFailed;
            entry.message = "the font's registration could not be deleted";
            return false;
        }
    }
    // A new version still waiting for a restart would come back with it.
    if (platform.files.Exists(PendingPathOf(destination, entry)))
        platform.files.RemoveFile(PendingPathOf(destination, entry));
    if (platform.files.RemoveFile(entry.destPath)) {
        entry.outcome = VLLifeOutcome::kRemoved;
        return registers;
    }
    if (registers && platform.files.Exists(entry.destPath) &&
        platform.files.MoveAtRestart(entry.destPath, "")) {
        entry.outcome = VLLifeOutcome::kRemoveAtRestart;
        entry.message = "restart needed: the file is in use and is deleted when the system next starts";
        return true;
    }
    // Whatever could not go stays usable as it was.
    if (registers) RegisterAtDestination(platform, destination, entry.names.valueName, entry.names.fileName);
    entry.outcome = VLLifeOutcome::kFailed;
    entry.message = "the font file could not be deleted";
    return registers;
}
