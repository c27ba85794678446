#include "codec/huffman_decoder.h"

#include <vector>

#include "codec/huffman_code.h"

namespace {

constexpr uint16_t kNoChild = 0xFFFF;

struct HuffmanNode {
    uint16_t child[2] = {kNoChild, kNoChild};
};

// Built afresh for every decode. Inner nodes come from a pool of 2N nodes: the
// root is node N, later ones N+1, N+2, ...; a child below N is a leaf.
struct HuffmanTable {
    explicit HuffmanTable(uint16_t symbols) : codes(symbols), lengths(symbols), nodes(2u * symbols) {}
    std::vector<uint16_t> codes;
    std::vector<uint16_t> lengths;
    std::vector<HuffmanNode> nodes;
};

}  // namespace

CHuffmanDecoder::CHuffmanDecoder(uint16_t symbolCount) : m_nSymbols(symbolCount) {}

int CHuffmanDecoder::ReadBit() {
    if (--m_nBitPos < 0) {
        if (m_pInput == m_pInputEnd) {
            m_nBitPos = 0;
            return -1;
        }
        m_byCurrent = *m_pInput++;
        m_nBitPos = 7;
    }
    return (m_byCurrent >> m_nBitPos) & 1;
}

bool CHuffmanDecoder::ReadGamma(uint32_t& value, VLDecodeStatus& failure) {
    int zeros = 0;
    for (;;) {
        const int bit = ReadBit();
        if (bit < 0) {
            failure = VLDecodeStatus::kTruncated;
            return false;
        }
        if (bit == 1) break;
        // 2^16 or more is no 16-bit value; no encoder writes one.
        if (++zeros >= 16) {
            failure = VLDecodeStatus::kLengthTooLong;
            return false;
        }
    }
    value = 1;
    for (int i = 0; i < zeros; ++i) {
        const int bit = ReadBit();
        if (bit < 0) {
            failure = VLDecodeStatus::kTruncated;
            return false;
        }
        value = (value << 1) | static_cast<uint32_t>(bit);
    }
    return true;
}

VLDecodeStatus CHuffmanDecoder::Decode(const uint8_t* input, size_t inputSize, uint8_t* output,
                                       uint32_t count) {
    m_nBitPos = 0;
    m_byCurrent = 0;
    if (!input && inputSize > 0) return VLDecodeStatus::kTruncated;
    if (m_nSymbols == 0 || m_nSymbols > 256) return VLDecodeStatus::kOverSubscribed;
    m_pInputStart = m_pInput = input;
    m_pInputEnd = input + inputSize;

    HuffmanTable table(m_nSymbols);
    const uint16_t n = m_nSymbols;

    uint16_t previous = 0;
    for (uint16_t s = 0; s < n; ++s) {
        const int flag = ReadBit();
        if (flag < 0) return VLDecodeStatus::kTruncated;
        if (flag == 1) {
            uint32_t gamma = 0;
            VLDecodeStatus failure = VLDecodeStatus::kOk;
            if (!ReadGamma(gamma, failure)) return failure;
            previous = static_cast<uint16_t>(gamma ^ previous);
        }
        if (previous > kMaxCodeLength) return VLDecodeStatus::kLengthTooLong;
        table.lengths[s] = previous;
    }

    if (!AssignCanonicalCodes(table.lengths.data(), n, table.codes.data())) {
        return VLDecodeStatus::kOverSubscribed;
    }

    const uint16_t root = n;
    uint32_t nextFree = root + 1u;
    for (uint16_t s = 0; s < n; ++s) {
        const uint16_t length = table.lengths[s];
        if (length == 0) continue;
        const uint16_t code = table.codes[s];
        uint16_t node = root;
        for (int b = length - 1; b >= 0; --b) {
            uint16_t& child = table.nodes[node].child[(code >> b) & 1];
            if (b == 0) {
                if (child != kNoChild) return VLDecodeStatus::kOverSubscribed;
                child = s;
                break;
            }
            if (child == kNoChild) {
                if (nextFree >= 2u * n) return VLDecodeStatus::kPoolOverflow;
                child = static_cast<uint16_t>(nextFree++);
            } else if (child < n) {
                return VLDecodeStatus::kOverSubscribed;
            }
            node = child;
        }
    }

    for (uint32_t i = 0; i < count; ++i) {
        uint16_t node = root;
        for (;;) {
            const int bit = ReadBit();
            if (bit < 0) return VLDecodeStatus::kTruncated;
            const uint16_t child = table.nodes[node].child[bit];
            if (child == kNoChild) return VLDecodeStatus::kMissingCode;
            if (child < n) {
                output[i] = static_cast<uint8_t>(child);
                break;
            }
            node = child;
        }
    }
    return VLDecodeStatus::kOk;
}
