#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "install/font_destination.h"
#include "platform/system_info.h"
#include "platform/user_environment.h"

// For whom the command line installs.
enum class VLInstallScope { kMachine, kUser };

// Which system the destination is chosen for (the tool's own, but tests pick).
enum class VLHostSystem { kWindows, kPosix };

// The first Windows build that loads fonts from the user's own font folder.
constexpr uint32_t kFirstUserFontsBuild = 17763;

// "machine" / "user".
const char* InstallScopeName(VLInstallScope scope);

// Where an installation for a scope goes, or why it cannot.
struct VLScopeDestination {
    // One line for the user when the scope cannot be used here; empty otherwise.
    std::string refusal;
    VLInstallScope scope = VLInstallScope::kMachine;
    VLFontDestination destination;
    // The folders to create, parents first, the destination last (engine paths).
    std::vector<std::string> foldersToMake;
};

// Resolves a scope (nothing: the default) for a package of this product type.
// Windows: machine (the default) is the system font folder with the machine's
// key; user is <local app data>\Microsoft\Windows\Fonts with the user's key,
// refused below build 17763 and for the SYSTEM account. POSIX: user (the
// default unless root) is ${XDG_DATA_HOME:-$HOME/.local/share}/fonts/<package>,
// machine (root's default) /usr/local/share/fonts/<package>, nothing registered;
// <package> is the product type made safe.
VLScopeDestination ResolveInstallScope(VLHostSystem host, std::optional<VLInstallScope> requested,
                                       const std::string& productType, IVLSystemInfo& system,
                                       IVLUserEnvironment& environment);

// Creates the scope's missing folders; false with one line in error when one
// cannot be made.
bool MakeScopeFolders(const VLScopeDestination& destination, IVLUserEnvironment& environment,
                      std::string& error);
