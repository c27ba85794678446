#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// One class of a token's information, in a buffer of the size the system asks
// for; false when it cannot be had.
inline bool QueryTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind, std::vector<uint8_t>& buffer) {
    DWORD needed = 0;
    GetTokenInformation(token, kind, nullptr, 0, &needed);
    if (needed == 0) return false;
    try {
        buffer.assign(needed, 0);
    } catch (...) {
        return false;
    }
    return GetTokenInformation(token, kind, buffer.data(), needed, &needed) != FALSE;
}
