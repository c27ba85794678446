#include "platform/console_output.h"

#include <windows.h>
#include <io.h>

#include "platform/text_encoding.h"

namespace {

constexpr UINT kShiftJisCodePage = 932;

// The code page of the text written: the console's when the output is one,
// otherwise the ANSI code page, in which Windows keeps text files. A console
// is asked only when it is shown: a hidden one (a deployment tool's) can take
// longer to answer under Wine than the whole installation.
UINT OutputCodePage() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const bool toConsole =
        output != nullptr && output != INVALID_HANDLE_VALUE && GetFileType(output) == FILE_TYPE_CHAR;
    const UINT codePage = toConsole ? GetConsoleOutputCP() : 0;
    return codePage != 0 ? codePage : GetACP();
}

}  // namespace

std::string ShiftJisForConsole(const std::string& sjis) {
    static const UINT codePage = OutputCodePage();
    if (codePage == kShiftJisCodePage || sjis.empty()) return sjis;
    return ShiftJisToCodePage(sjis, codePage);
}

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }
