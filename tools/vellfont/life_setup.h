#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/inf_file.h"
#include "install/font_life_job.h"
#include "install/install_scope.h"
#include "platform/install_platform.h"
#include "platform/installation_lock.h"

namespace CLI {
class App;
}

// The options status, install and uninstall share.
struct VLLifeOptions {
    std::string fontDataDir;
    std::string destDir;
    std::vector<std::string> fonts;
    int package = 0;
    bool json = false;
    bool upgrade = false;
    bool anyVersion = false;
    std::string scope;         // "machine", "user" or empty (this system's default)
    bool makeFolders = false;  // install creates the scope's folders; status and uninstall never
};

// FONTDATA, --package, --font, --scope, --dest and --json.
void AddLifeOptions(CLI::App& verb, VLLifeOptions& options);

// The package, its chosen fonts and the destination, checked before any verb
// acts; Fail(2) with a message when they cannot be used.
struct VLLifeSetup {
    std::unique_ptr<VLInfFile> catalogue;
    VLLifeRequest request;
    // The package's name and the destination folder as UTF-8, for --json.
    std::string packageName;
    std::string destinationShown;
    // Nothing for a plain folder (--dest).
    std::optional<VLInstallScope> scope;
};
VLLifeSetup PrepareLife(const VLLifeOptions& options, VLInstallPlatform& platform);

// The wizard's single-instance lock, held by install and uninstall: never two
// installations at once. Fail(2) when another one holds it.
std::unique_ptr<VLInstallationLock> LockInstallationOrFail();

// A command-line argument as the engine's Shift-JIS path or name; Fail(2)
// when it has no Shift-JIS form.
std::string ArgumentText(const std::string& argument, const char* what);
