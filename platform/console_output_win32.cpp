#include "platform/console_output.h"

#include <io.h>
#include <windows.h>

namespace {

constexpr UINT kShiftJisCodePage = 932;

}  // namespace

std::string ShiftJisForConsole(const std::string& sjis) {
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) codePage = GetACP();
    if (codePage == kShiftJisCodePage || sjis.empty()) return sjis;

    const int wideLength = MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), static_cast<int>(sjis.size()),
                                               nullptr, 0);
    if (wideLength <= 0) return sjis;
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), static_cast<int>(sjis.size()), &wide[0], wideLength);
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return sjis;
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), wideLength, &out[0], length, nullptr, nullptr);
    return out;
}

bool IsTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}
