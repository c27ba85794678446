#include "catalogue/token_reader.h"

#include <limits>

namespace {

bool IsSeparator(uint8_t b) {
    switch (b) {
        case ' ':
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r':
        case ',':
            return true;
        default:
            return false;
    }
}

bool IsBlank(uint8_t b) { return b == ' ' || (b >= '\t' && b <= '\r'); }

}  // namespace

std::string ReadToken(VLLineStream& stream) {
    const std::string& line = stream.line;
    size_t& pos = stream.pos;
    while (pos < line.size() && IsSeparator(static_cast<uint8_t>(line[pos]))) ++pos;

    std::string token;
    bool quoting = false;
    if (pos < line.size() && line[pos] == '"') {
        quoting = true;
        ++pos;
    }
    while (pos < line.size()) {
        const uint8_t b = static_cast<uint8_t>(line[pos++]);
        if (quoting) {
            if (b == '"') break;
        } else if (IsSeparator(b)) {
            break;
        } else if (b == '"') {
            quoting = true;
            continue;
        }
        token.push_back(static_cast<char>(b));
    }
    return token;
}

int32_t ReadNumber(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size() && IsBlank(static_cast<uint8_t>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulated as a magnitude so that the saturation point is exact for both signs.
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

bool IsDigitsOnly(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}
