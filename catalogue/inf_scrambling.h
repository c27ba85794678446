#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The two keyless, position-dependent byte offsets under which otf.inf is stored.
// Keyword format: offset ((10 * (i + 8)) / 4) % 100, repeating every 40 bytes.
// Older format: d = (10 * (i + 3)) / 4, folded to d / 100 above 100, applied only
// where i + d < n, so the file's last bytes stay plain.
uint8_t KeywordSchemeOffset(size_t position);
// 0 where the byte at this position of an n-byte file is stored unchanged.
uint8_t CsvSchemeOffset(size_t position, size_t fileSize);

void DescrambleKeywordScheme(uint8_t* bytes, size_t size);
void DescrambleCsvScheme(uint8_t* bytes, size_t size);
void ScrambleKeywordScheme(uint8_t* bytes, size_t size);
void ScrambleCsvScheme(uint8_t* bytes, size_t size);

// True when the content begins with the keyword format's opening word.
bool StartsWithKeywordMarker(const uint8_t* plain, size_t size);

// Scrambles a plain otf.inf text with the scheme its content calls for: the
// keyword scheme when it begins with START_INF, the older scheme otherwise.
std::string ScrambleInfText(const std::string& plain);
// Descrambles stored otf.inf bytes the way the loader recognises them.
std::string DescrambleInfText(const std::string& stored);
