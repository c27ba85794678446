#include "tools/vellfont/commands.h"

void AddCodecCommands(CLI::App&) {}
