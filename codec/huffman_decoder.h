#pragma once

#include <cstddef>
#include <cstdint>

#include "codec/decode_status.h"

// The reference decoder: builds a binary tree from the canonical code and walks
// it one bit at a time. Slow and simple; the table decoder must agree with it
// byte for byte, which the tests check.
class CHuffmanDecoder {
public:
    explicit CHuffmanDecoder(uint16_t symbolCount = 256);
    virtual ~CHuffmanDecoder() = default;
    CHuffmanDecoder(const CHuffmanDecoder&) = delete;
    CHuffmanDecoder& operator=(const CHuffmanDecoder&) = delete;

    // Decodes count symbols from the bit stream at input (inputSize bytes) into
    // output. Never reads past the input or writes past output + count.
    VLDecodeStatus Decode(const uint8_t* input, size_t inputSize, uint8_t* output, uint32_t count);

private:
    // The next bit, or -1 when the input is used up.
    int ReadBit();
    // An Elias gamma number; false when the input ends or it exceeds 16 bits.
    bool ReadGamma(uint32_t& value, VLDecodeStatus& failure);

    const uint8_t* m_pInput = nullptr;
    const uint8_t* m_pInputStart = nullptr;
    const uint8_t* m_pInputEnd = nullptr;
    uint16_t m_nSymbols;
    int16_t m_nBitPos = 0;
    uint8_t m_byCurrent = 0;
};
