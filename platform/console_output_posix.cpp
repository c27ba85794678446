#include "platform/console_output.h"

#include <unistd.h>

#include "platform/text_encoding.h"

std::string ShiftJisForConsole(const std::string& sjis) { return ShiftJisToUtf8(sjis); }

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }
