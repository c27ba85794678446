#pragma once

#include <optional>
#include <string>

#include "catalogue/package_info.h"
#include "install/font_destination.h"
#include "install/install_scope.h"
#include "platform/install_platform.h"

// The destination install writes to: a scope's, or a plain folder (--dest).
struct VLChosenDestination {
    VLFontDestination destination;
    // Nothing for a plain folder.
    std::optional<VLInstallScope> scope;
};

// A plain folder given with --dest (engine path), registered by the wizard's
// rule: only inside the system font folder.
VLChosenDestination FolderDestination(IVLSystemInfo& system, const std::string& folder);

// The destination of --scope (empty: this system's default) for the package,
// its folders created with makeFolders. Ends the command with exit 2 and one
// line when the scope is unknown, refused here, or its folder cannot be made.
VLChosenDestination ScopeDestination(const std::string& scopeOption, const VLPackageInfo& package,
                                     IVLSystemInfo& system, bool makeFolders);
