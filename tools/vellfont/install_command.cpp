#include "tools/vellfont/commands.h"

void AddInstallCommands(CLI::App&) {}
