#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace {

// One iconv conversion of the whole text; with replacement, undecodable input
// bytes become U+FFFD and conversion goes on.
std::optional<std::string> Convert(const char* to, const char* from, const std::string& text, bool replace) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (!replace) {
            ok = false;
            break;
        }
        out += "\xEF\xBF\xBD";
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

std::string ShiftJisToUtf8(const std::string& sjis) {
    return Convert("UTF-8", "CP932", sjis, true).value_or(std::string());
}

std::optional<std::string> Utf8ToShiftJis(const std::string& utf8) {
    return Convert("CP932", "UTF-8", utf8, false);
}
