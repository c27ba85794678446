// uninstall: removes the package's fonts from the destination: the file and,
// in the system's or the user's font folder, every value naming it. A file of the same name
// that is not the package's font stays (with --any-version, another version of
// the same family goes too). Exit 0: done, 1: some fonts failed or were left,
// 2: nothing started, 3010: done except what waits for a restart.
#include <CLI/CLI.hpp>

#include <iostream>

#include "install/font_life_job.h"
#include "install/install_checks.h"
#include "platform/installation_lock.h"
#include "tools/vellfont/commands.h"
#include "tools/vellfont/console.h"
#include "tools/vellfont/font_index_check.h"
#include "tools/vellfont/life_output.h"
#include "tools/vellfont/life_setup.h"

namespace {

void Uninstall(const VLLifeOptions& options) {
    VLInstallPlatform& platform = GetSystemInstallPlatform();
    const VLLifeSetup setup = PrepareLife(options, platform);
    const std::unique_ptr<VLInstallationLock> lock = LockInstallationOrFail();
    if (NeedsAdministrator(platform.system, setup.request.destination.folder))
        Fail(kLifeExitNotStarted, ForConsole(StartRefusalText(VLStartRefusal::kNeedsAdministrator)));

    VLLifeResult result = CheckFontStates(platform, GetFontCodec(), setup.request, false);
    UninstallFonts(platform, setup.request, result);
    if (IVLFontCache* cache = GetSystemFontCache(); cache != nullptr && setup.scope)
        RefreshFontIndex(*cache, platform.files, setup.request.destination.folder, std::cerr);
    ReportLife(setup, result, options.json, PrintOutcomeLines, LifeExitCode(result));
}

}  // namespace

void AddUninstallCommand(CLI::App& app) {
    static VLLifeOptions options;
    auto* uninstall = app.add_subcommand(
        "uninstall",
        "Remove the fonts of a package (exit 0: done, 1: some failed or left, 2: none started, "
        "3010: restart needed)");
    AddLifeOptions(*uninstall, options);
    uninstall->add_flag("--any-version", options.anyVersion,
                        "Also remove another version of a font, when its family is the package font's");
    uninstall->callback([] { Uninstall(options); });
}
