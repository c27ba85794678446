#include "codec/huffman_code.h"

bool AssignCanonicalCodes(const uint16_t* lengths, size_t symbols, uint16_t* codes) {
    uint32_t counts[kMaxCodeLength + 1] = {};
    for (size_t s = 0; s < symbols; ++s) {
        if (lengths[s] > kMaxCodeLength) return false;
        ++counts[lengths[s]];
    }
    uint32_t next[kMaxCodeLength + 1] = {};
    uint32_t code = 0;
    for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
        next[length] = code;
        code += counts[length];
        if (code > (1u << length)) return false;
        code <<= 1;
    }
    for (size_t s = 0; s < symbols; ++s) {
        codes[s] = lengths[s] == 0 ? 0 : static_cast<uint16_t>(next[lengths[s]]++);
    }
    return true;
}
