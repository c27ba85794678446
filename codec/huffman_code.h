#pragma once

#include <cstddef>
#include <cstdint>

// Code lengths above this are not allowed in a .cmp stream.
constexpr unsigned kMaxCodeLength = 16;

// Canonical code assignment (the construction of RFC 1951, 3.2.2): shorter codes
// first, and within one length ascending symbol values get ascending codes.
// False when the lengths claim more codes than exist (over-subscribed); an
// incomplete code is accepted. False too for a length above kMaxCodeLength.
bool AssignCanonicalCodes(const uint16_t* lengths, size_t symbols, uint16_t* codes);
