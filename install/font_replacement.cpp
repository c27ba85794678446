#include "install/font_replacement.h"

#include "install/font_registration.h"
#include "install/font_writer.h"

namespace {

// A font file loaded this often is no font any program loads on purpose.
constexpr int kMaxUnloads = 256;

void Fail(VLFontEntry& entry, VLFontOutcome failure, const std::string& message) {
    entry.outcome = VLLifeOutcome::kFailed;
    entry.failure = failure;
    entry.message = message;
}

// The registration's failure as the entry's.
void FailRegistration(VLFontEntry& entry, VLRegistration registration) {
    if (registration == VLRegistration::kNameTaken) {
        Fail(entry, VLFontOutcome::kNameTaken, "the font's name is registered for another file");
    } else {
        Fail(entry, VLFontOutcome::kNotRegistered, "the font could not be registered with the system");
    }
}

bool Registers(const VLFontDestination& destination) {
    return destination.registration != VLFontRegistrationKind::kNone;
}

}  // namespace

void UnloadSessionFont(IVLFontRegistry& registry, const std::string& fileName) {
    for (int i = 0; i < kMaxUnloads && registry.RemoveSessionFont(fileName); ++i) {
    }
}

bool PlaceNewFont(VLInstallPlatform& platform, const VLFontDestination& destination, VLFontEntry& entry,
                  const VLReusableBuffer& payload, const std::function<void()>& whileFlushing) {
    std::string tempPath;
    if (!WriteTempFontFile(platform.files, destination.folder, payload.Data(), payload.Size(), tempPath,
                           whileFlushing)) {
        Fail(entry, VLFontOutcome::kFailed, "the font file could not be written");
        return false;
    }
    if (!platform.files.MoveNoReplace(tempPath, entry.destPath)) {
        platform.files.RemoveFile(tempPath);
        Fail(entry, VLFontOutcome::kFailed, "the font file could not be put in place");
        return false;
    }
    if (Registers(destination)) {
        const VLRegistration registration =
            RegisterAtDestination(platform, destination, entry.names.valueName, entry.names.fileName);
        if (registration != VLRegistration::kRegistered) {
            // A font in a font folder that the system does not list is
            // half installed: the file goes again.
            platform.files.RemoveFile(entry.destPath);
            FailRegistration(entry, registration);
            return false;
        }
    }
    entry.outcome = VLLifeOutcome::kInstalled;
    return Registers(destination);
}

bool RegisterAgain(VLInstallPlatform& platform, const VLFontDestination& destination, VLFontEntry& entry) {
    const VLRegistration registration =
        RegisterAtDestination(platform, destination, entry.names.valueName, entry.names.fileName);
    if (registration != VLRegistration::kRegistered) {
        FailRegistration(entry, registration);
        return false;
    }
    entry.outcome = VLLifeOutcome::kRegistered;
    return true;
}

std::string PendingPathOf(const VLFontDestination& destination, const VLFontEntry& entry) {
    return destination.folder + "\\~vlnew-" + entry.names.fileName;
}

bool ReplaceFont(VLInstallPlatform& platform, const VLFontDestination& destination, VLFontEntry& entry,
                 const VLReusableBuffer& payload) {
    const bool registers = Registers(destination);
    std::string tempPath;
    if (!WriteTempFontFile(platform.files, destination.folder, payload.Data(), payload.Size(), tempPath)) {
        Fail(entry, VLFontOutcome::kFailed, "the new font file could not be written");
        return false;
    }
    const std::string sessionName = SessionFontName(destination, entry.names.fileName);
    if (registers) UnloadSessionFont(platform.registry, sessionName);
    if (platform.files.MoveReplace(tempPath, entry.destPath)) {
        if (registers) {
            const VLRegistration registration =
                RegisterAtDestination(platform, destination, entry.names.valueName, entry.names.fileName);
            if (registration != VLRegistration::kRegistered) {
                FailRegistration(entry, registration);
                entry.message = "the new version is in place, but " + entry.message;
                return true;
            }
        }
        entry.outcome = VLLifeOutcome::kUpgraded;
        return registers;
    }

    // Still held by some program. The new file waits under a name of its own
    // for the system to move it at the next start.
    const std::string pendingPath = PendingPathOf(destination, entry);
    const bool scheduled = registers && platform.files.MoveReplace(tempPath, pendingPath) &&
                           platform.files.MoveAtRestart(pendingPath, entry.destPath);
    if (!scheduled) {
        platform.files.RemoveFile(tempPath);
        platform.files.RemoveFile(pendingPath);
        if (registers) platform.registry.AddSessionFont(sessionName);
        Fail(entry, VLFontOutcome::kFailed, "the installed file is in use and could not be replaced");
        return registers;
    }
    // The value already names the file, which keeps its name: it is set only
    // where it was missing, and the old font serves this session until then.
    const VLRegistration registration =
        RegisterAtDestination(platform, destination, entry.names.valueName, entry.names.fileName);
    entry.outcome = VLLifeOutcome::kUpgradeAtRestart;
    entry.message = "restart needed: the new version replaces the file in use when the system next starts";
    if (registration == VLRegistration::kNameTaken)
        entry.message += "; the font's name is registered for another file";
    return true;
}
