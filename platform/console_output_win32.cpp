#include "platform/console_output.h"

#include <windows.h>
#include <io.h>

#include "platform/text_encoding.h"

namespace {

constexpr UINT kShiftJisCodePage = 932;

}  // namespace

std::string ShiftJisForConsole(const std::string& sjis) {
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) codePage = GetACP();
    if (codePage == kShiftJisCodePage || sjis.empty()) return sjis;
    return ShiftJisToCodePage(sjis, codePage);
}

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }
