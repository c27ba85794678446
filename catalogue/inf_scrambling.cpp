#include "catalogue/inf_scrambling.h"

#include <cstring>

uint8_t KeywordSchemeOffset(size_t position) { return static_cast<uint8_t>((10 * (position + 8)) / 4 % 100); }

uint8_t CsvSchemeOffset(size_t position, size_t fileSize) {
    size_t d = (10 * (position + 3)) / 4;
    if (d > 100) d /= 100;
    return position + d < fileSize ? static_cast<uint8_t>(d) : 0;
}

void DescrambleKeywordScheme(uint8_t* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(bytes[i] - KeywordSchemeOffset(i));
}

void DescrambleCsvScheme(uint8_t* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(bytes[i] - CsvSchemeOffset(i, size));
}

void ScrambleKeywordScheme(uint8_t* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(bytes[i] + KeywordSchemeOffset(i));
}

void ScrambleCsvScheme(uint8_t* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(bytes[i] + CsvSchemeOffset(i, size));
}

bool StartsWithKeywordMarker(const uint8_t* plain, size_t size) {
    return size >= 9 && std::memcmp(plain, "START_INF", 9) == 0;
}

std::string ScrambleInfText(const std::string& plain) {
    std::string stored = plain;
    auto* bytes = reinterpret_cast<uint8_t*>(&stored[0]);
    if (StartsWithKeywordMarker(bytes, stored.size())) {
        ScrambleKeywordScheme(bytes, stored.size());
    } else {
        ScrambleCsvScheme(bytes, stored.size());
    }
    return stored;
}

std::string DescrambleInfText(const std::string& stored) {
    std::string plain = stored;
    auto* bytes = reinterpret_cast<uint8_t*>(&plain[0]);
    DescrambleKeywordScheme(bytes, plain.size());
    if (!StartsWithKeywordMarker(bytes, plain.size())) {
        plain = stored;
        DescrambleCsvScheme(reinterpret_cast<uint8_t*>(&plain[0]), plain.size());
    }
    return plain;
}
