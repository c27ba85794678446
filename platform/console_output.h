#pragma once

#include <cstdio>
#include <string>

// Shift-JIS text as the bytes the console shows: UTF-8 on POSIX systems; under
// Windows the console's output code page when standard output is a console,
// the ANSI code page when it goes to a file or a pipe; unchanged when that is
// 932.
std::string ShiftJisForConsole(const std::string& sjis);

// Whether the stream is an interactive terminal.
bool IsTerminal(std::FILE* stream);
