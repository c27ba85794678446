#include "install/font_removal.h"

#include <memory>

#include "install/font_registration.h"
#include "install/font_replacement.h"

namespace {

// Deletes every value of the Fonts key that names the file; false when the
// key cannot be opened for writing or a value stays.
bool DeleteFontValues(VLInstallPlatform& platform, const std::string& fileName) {
    std::string keyName;
    if (!GetFontsRegistryKey(platform.system, keyName)) return false;
    const std::unique_ptr<IVLRegistryKey> key = platform.registry.OpenMachineKeyForSet(keyName);
    if (!key) return false;
    bool all = true;
    for (const std::string& name : key->ValueNames()) {
        std::string data;
        if (key->QueryStringValue(name, data) != IVLRegistryKey::Query::kFound) continue;
        if (FontValueNamesFile(platform.system, data, fileName) && !key->DeleteValue(name)) all = false;
    }
    return all;
}

}  // namespace

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
    const bool registers = destination.registration == VLFontRegistrationKind::kMachine;
    if (registers) {
        UnloadSessionFont(platform.registry, entry.names.fileName);
        if (!DeleteFontValues(platform, entry.names.fileName)) {
            platform.registry.AddSessionFont(entry.names.fileName);
            entry.outcome = VLLifeOutcome::kFailed;
            entry.message = "the font's registration could not be deleted";
            return false;
        }
    }
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
    if (registers)
        RegisterFont(platform.system, platform.registry, entry.names.valueName, entry.names.fileName);
    entry.outcome = VLLifeOutcome::kFailed;
    entry.message = "the font file could not be deleted";
    return registers;
}
