#include "install/install_scope.h"

#include "catalogue/package_folder_name.h"
#include "install/font_registration.h"
#include "platform/text_encoding.h"

namespace {

constexpr char kMachineFontsPosix[] = "/usr/local/share/fonts";

VLScopeDestination Refused(std::string why) {
    VLScopeDestination result;
    result.refusal = std::move(why);
    return result;
}

VLScopeDestination ResolveWindows(VLInstallScope scope, IVLSystemInfo& system,
                                  IVLUserEnvironment& environment) {
    VLScopeDestination result;
    result.scope = scope;
    if (scope == VLInstallScope::kMachine) {
        const std::string windowsFolder = GetWindowsFolder(system);
        if (windowsFolder.empty()) return Refused("the Windows folder cannot be read; give --dest");
        result.destination = {windowsFolder + "\\Fonts", VLFontRegistrationKind::kMachine};
        return result;
    }
    const uint32_t build = environment.QueryBuildNumber();
    if (build < kFirstUserFontsBuild) {
        return Refused(
            "installing for one user needs Windows 10 version 1809 (build 17763) or later; this is " +
            (build == 0 ? std::string("an unknown build") : "build " + std::to_string(build)) +
            " (use --scope machine)");
    }
    // A deployment service's per-user install would land in SYSTEM's own
    // profile, where no user ever sees it.
    if (environment.IsLocalSystemAccount()) {
        return Refused(
            "refusing to install for one user as the SYSTEM account (the fonts would land in its own "
            "profile); "
            "run as the user, or use --scope machine");
    }
    const std::string localAppData = environment.QueryLocalAppDataFolder();
    if (localAppData.empty()) return Refused("the user's local application data folder cannot be read");
    std::string folder = localAppData;
    for (const char* part : {"Microsoft", "Windows", "Fonts"}) {
        folder += std::string("\\") + part;
        result.foldersToMake.push_back(folder);
    }
    result.destination = {folder, VLFontRegistrationKind::kUser};
    return result;
}

// "/" stays; "/data/" is "/data".
std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder == "/" ? std::string() : folder;
}

// An absolute native folder as an engine path; why not in error.
std::optional<std::string> EnginePath(const std::string& native, const std::string& what,
                                      std::string& error) {
    // The engine reads every backslash as a separator.
    if (native.find('\\') != std::string::npos) {
        error = what + " '" + native + "' holds a backslash, which cannot be used in a font folder's path";
        return std::nullopt;
    }
    std::optional<std::string> sjis = Utf8ToShiftJis(native);
    if (!sjis) error = what + " '" + native + "' cannot be written in Shift-JIS";
    return sjis;
}

VLScopeDestination ResolvePosix(VLInstallScope scope, const std::string& productType,
                                IVLUserEnvironment& environment) {
    std::string base;
    if (scope == VLInstallScope::kMachine) {
        base = kMachineFontsPosix;
    } else {
        // A relative or empty XDG_DATA_HOME is to be ignored.
        const std::optional<std::string> dataHome = environment.GetVariable("XDG_DATA_HOME");
        const std::optional<std::string> home = environment.GetVariable("HOME");
        if (dataHome && !dataHome->empty() && dataHome->front() == '/') {
            base = WithoutTrailingSlashes(*dataHome) + "/fonts";
        } else if (home && !home->empty() && home->front() == '/') {
            base = WithoutTrailingSlashes(*home) + "/.local/share/fonts";
        } else {
            return Refused(
                "HOME is not an absolute folder (nor XDG_DATA_HOME); set one, or use --scope machine");
        }
    }
    std::string error;
    const std::optional<std::string> engineBase = EnginePath(base, "the font folder", error);
    if (!engineBase) return Refused(error);

    VLScopeDestination result;
    result.scope = scope;
    // Every folder on the way: those that exist are left as they are.
    std::string prefix;
    size_t start = 1;
    while (start <= engineBase->size()) {
        size_t end = engineBase->find('/', start);
        if (end == std::string::npos) end = engineBase->size();
        if (end > start) result.foldersToMake.push_back(engineBase->substr(0, end));
        start = end + 1;
    }
    result.destination.folder = *engineBase + "/" + PackageFolderName(productType);
    result.destination.registration = VLFontRegistrationKind::kNone;
    result.foldersToMake.push_back(result.destination.folder);
    return result;
}

}  // namespace

const char* InstallScopeName(VLInstallScope scope) {
    return scope == VLInstallScope::kUser ? "user" : "machine";
}

VLScopeDestination ResolveInstallScope(VLHostSystem host, std::optional<VLInstallScope> requested,
                                       const std::string& productType, IVLSystemInfo& system,
                                       IVLUserEnvironment& environment) {
    if (host == VLHostSystem::kWindows)
        return ResolveWindows(requested.value_or(VLInstallScope::kMachine), system, environment);
    const VLInstallScope scope =
        requested.value_or(environment.IsRoot() ? VLInstallScope::kMachine : VLInstallScope::kUser);
    return ResolvePosix(scope, productType, environment);
}

bool MakeScopeFolders(const VLScopeDestination& destination, IVLUserEnvironment& environment,
                      std::string& error) {
    for (const std::string& folder : destination.foldersToMake) {
        std::string why;
        if (!environment.MakeFolder(folder, why)) {
            error = folder + ": cannot create the font folder (" + why + ")";
            return false;
        }
    }
    return true;
}
