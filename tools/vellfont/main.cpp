// vellfont: inspects, builds, checks and installs font packages (a FONTDATA
// folder with otf.inf and one .cmp file per font).
#include <CLI/CLI.hpp>

#include "tools/vellfont/commands.h"

#ifdef _WIN32
#include "platform/system_dlls.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // Admins run the tool elevated from wherever the package came with it.
    RestrictDllSearchPath();
#endif
    CLI::App app{"vellfont: font package tool"};
    app.require_subcommand(1);
    AddInfCommands(app);
    AddCodecCommands(app);
    AddStatusCommand(app);
    AddInstallCommands(app);
    AddUninstallCommand(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    return 0;
}
