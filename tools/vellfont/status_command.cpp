// status: where each chosen font of a package stands at the destination.
// Exit 0 when every one is installed, 1 otherwise, 2 when the package cannot
// be used: a deployment tool's detection rule.
#include <CLI/CLI.hpp>

#include "install/font_life_job.h"
#include "tools/vellfont/commands.h"
#include "tools/vellfont/life_output.h"
#include "tools/vellfont/life_setup.h"

namespace {

void Status(const VLLifeOptions& options) {
    VLInstallPlatform& platform = GetSystemInstallPlatform();
    const VLLifeSetup setup = PrepareLife(options, platform);
    const VLLifeResult result = CheckFontStates(platform, GetFontCodec(), setup.request, true);
    ReportLife(setup, result, options.json, PrintStatusLines, StatusExitCode(result));
}

}  // namespace

void AddStatusCommand(CLI::App& app) {
    static VLLifeOptions options;
    auto* status = app.add_subcommand(
        "status",
        "Where each font of a package stands at the destination (exit 0: all installed, 1: not, "
        "2: unusable package)");
    AddLifeOptions(*status, options);
    status->callback([] { Status(options); });
}
