#pragma once

namespace CLI {
class App;
}

// Each group of verbs registers its subcommands here. A subcommand that fails
// prints its own message to stderr and throws CLI::RuntimeError(exit code).
void AddInfCommands(CLI::App& app);
void AddCodecCommands(CLI::App& app);
void AddInstallCommands(CLI::App& app);
void AddStatusCommand(CLI::App& app);
void AddUninstallCommand(CLI::App& app);
