#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/shift_jis.h"

// A read position over one logical line of the keyword format.
struct VLLineStream {
    explicit VLLineStream(const std::string& text) : line(text) {}
    const std::string& line;
    size_t pos = 0;
};

// The next token of the line: separators are ASCII white space and commas; a
// double quote switches quoting on (and is dropped) until the next one.
std::string ReadToken(VLLineStream& stream);

// Leading blanks, an optional sign, then digits up to the first other byte;
// no digits give 0, and a value beyond 32 bits saturates.
int32_t ReadNumber(const std::string& text);

// Every byte is 0 to 9, and there is at least one.
bool IsDigitsOnly(const std::string& text);
