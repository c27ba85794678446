// vellfont: inspects, builds, checks and installs font packages (a FONTDATA
// folder with otf.inf and one .cmp file per font).
#include <CLI/CLI.hpp>

#include "tools/vellfont/commands.h"

int main(int argc, char** argv) {
    CLI::App app{"vellfont: font package tool"};
    app.require_subcommand(1);
    AddInfCommands(app);
    AddCodecCommands(app);
    AddInstallCommands(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    return 0;
}
