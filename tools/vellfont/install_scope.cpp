#include "tools/vellfont/install_scope.h"

#include "platform/console_output.h"
#include "platform/user_environment.h"
#include "tools/vellfont/console.h"

namespace {

constexpr int kExitNotStarted = 2;

#ifdef _WIN32
constexpr VLHostSystem kHost = VLHostSystem::kWindows;
#else
constexpr VLHostSystem kHost = VLHostSystem::kPosix;
#endif

}  // namespace

VLChosenDestination FolderDestination(IVLSystemInfo& system, const std::string& folder) {
    return VLChosenDestination{DestinationForFolder(system, folder), std::nullopt};
}

VLChosenDestination ScopeDestination(const std::string& scopeOption, const VLPackageInfo& package,
                                     IVLSystemInfo& system, bool makeFolders) {
    std::optional<VLInstallScope> requested;
    if (scopeOption == "machine") {
        requested = VLInstallScope::kMachine;
    } else if (scopeOption == "user") {
        requested = VLInstallScope::kUser;
    } else if (!scopeOption.empty()) {
        Fail(kExitNotStarted, "--scope must be machine or user, not '" + scopeOption + "'");
    }
    IVLUserEnvironment& environment = GetSystemUserEnvironment();
    const VLScopeDestination resolved =
        ResolveInstallScope(kHost, requested, package.m_productType, system, environment);
    if (!resolved.refusal.empty()) Fail(kExitNotStarted, resolved.refusal);
    std::string error;
    if (makeFolders && !MakeScopeFolders(resolved, environment, error))
        Fail(kExitNotStarted, ShiftJisForConsole(EscapeControls(error)));
    return VLChosenDestination{resolved.destination, resolved.scope};
}
