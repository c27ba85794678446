#pragma once

#include <string>

// Prints one line to stderr and ends the subcommand with this exit code.
[[noreturn]] void Fail(int exitCode, const std::string& message);

// Shift-JIS bytes as UTF-8 for the terminal, control characters escaped.
std::string Display(const std::string& sjis);
// Control characters (a package's names may hold escape sequences) as \xNN,
// so that nothing from a package steers the terminal.
std::string EscapeControls(const std::string& text);

// Whether a folder exists at the path.
bool IsDirectory(const std::string& path);

// folder + the platform's separator + name (no separator doubled).
std::string JoinPath(const std::string& folder, const std::string& name);

// The whole file as bytes; Fail(exitCode, ...) naming the file when it cannot be read.
std::string ReadFileOrFail(const std::string& path, int exitCode);
// Writes the whole file; Fail(exitCode, ...) when it cannot be written.
void WriteFileOrFail(const std::string& path, const std::string& bytes, int exitCode);
