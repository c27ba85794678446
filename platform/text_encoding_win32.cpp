#include "platform/text_encoding.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring ToWide(UINT codePage, DWORD flags, const std::string& text, bool& ok) {
    ok = true;
    if (text.empty()) return std::wstring();
    const int n =
        MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) {
        ok = false;
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide, BOOL* usedDefault) {
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, usedDefault);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr,
                            usedDefault);
    }
    return out;
}

}  // namespace

std::string ShiftJisToUtf8(const std::string& sjis) {
    bool ok = false;
    const std::wstring wide = ToWide(932, 0, sjis, ok);
    return FromWide(CP_UTF8, wide, nullptr);
}

std::string ShiftJisToCodePage(const std::string& sjis, unsigned codePage) {
    bool ok = false;
    const std::wstring wide = ToWide(932, 0, sjis, ok);
    return ok ? FromWide(codePage, wide, nullptr) : sjis;
}

std::optional<std::string> Utf8ToShiftJis(const std::string& utf8) {
    bool ok = false;
    const std::wstring wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, ok);
    if (!ok) return std::nullopt;
    BOOL usedDefault = FALSE;
    std::string sjis = FromWide(932, wide, &usedDefault);
    if (usedDefault) return std::nullopt;
    return sjis;
}
