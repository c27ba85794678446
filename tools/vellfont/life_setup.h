#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/inf_file.h"
#include "install/font_life_job.h"
#include "platform/install_platform.h"

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
};

// FONTDATA, --package, --font, --dest and --json.
void AddLifeOptions(CLI::App& verb, VLLifeOptions& options);

// The package, its chosen fonts and the destination, checked before any verb
// acts; Fail(2) with a message when they cannot be used.
struct VLLifeSetup {
    std::unique_ptr<VLInfFile> catalogue;
    VLLifeRequest request;
    // The package's name and the destination folder as UTF-8, for --json.
    std::string packageName;
    std::string destinationShown;
};
VLLifeSetup PrepareLife(const VLLifeOptions& options, VLInstallPlatform& platform);

// A command-line argument as the engine's Shift-JIS path or name; Fail(2)
// when it has no Shift-JIS form.
std::string ArgumentText(const std::string& argument, const char* what);
