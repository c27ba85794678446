#include "codec/sfnt_check.h"

namespace {

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

std::string TagText(uint32_t tag) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((tag >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text;
}

bool IsSfntVersion(uint32_t version) {
    return version == 0x00010000u || version == 0x4F54544Fu /* OTTO */ || version == 0x74727565u /* true */;
}

// Sum of big-endian 32-bit words, the last one padded with zeros.
uint32_t TableChecksum(const uint8_t* table, uint32_t length, bool isHead) {
    uint32_t sum = 0;
    const uint32_t whole = length & ~3u;
    for (uint32_t i = 0; i < whole; i += 4) {
        if (isHead && i == 8) continue;  // the head table's own checksum adjustment
        sum += Read32(table + i);
    }
    if (whole < length && !(isHead && whole == 8)) {
        uint32_t word = 0;
        for (uint32_t b = 0; b < 4; ++b) word = word << 8 | (whole + b < length ? table[whole + b] : 0u);
        sum += word;
    }
    return sum;
}

// The structure of every table is checked before any checksum, so that a
// broken font is never reported as a mere checksum mismatch.
VLSfntCheck CheckFont(const uint8_t* data, size_t size, uint64_t offset, std::string& problem) {
    if (offset + 12 > size || !IsSfntVersion(Read32(data + offset))) {
        problem = "no font header at offset " + std::to_string(offset);
        return VLSfntCheck::kBroken;
    }
    const uint16_t tables = Read16(data + offset + 4);
    if (offset + 12 + 16ull * tables > size) {
        problem = "table directory runs past the end";
        return VLSfntCheck::kBroken;
    }
    const uint8_t* records = data + offset + 12;
    for (uint16_t t = 0; t < tables; ++t) {
        const uint8_t* record = records + 16u * t;
        if (static_cast<uint64_t>(Read32(record + 8)) + Read32(record + 12) > size) {
            problem = "table " + TagText(Read32(record)) + " runs past the end";
            return VLSfntCheck::kBroken;
        }
    }
    for (uint16_t t = 0; t < tables; ++t) {
        const uint8_t* record = records + 16u * t;
        const uint32_t tag = Read32(record);
        if (TableChecksum(data + Read32(record + 8), Read32(record + 12), tag == 0x68656164u /* head */) !=
            Read32(record + 4)) {
            problem = "table " + TagText(tag) + " checksum mismatch";
            return VLSfntCheck::kChecksumMismatch;
        }
    }
    return VLSfntCheck::kSound;
}

}  // namespace

VLSfntCheck CheckSfntTables(const uint8_t* data, size_t size, std::string& problem) {
    if (size < 12) return VLSfntCheck::kNotSfnt;
    const uint32_t tag = Read32(data);
    if (tag == 0x74746366u /* ttcf */) {
        const uint32_t fonts = Read32(data + 8);
        if (12ull + 4ull * fonts > size) {
            problem = "collection header runs past the end";
            return VLSfntCheck::kBroken;
        }
        // A broken member outweighs a checksum mismatch in an earlier one.
        VLSfntCheck worst = VLSfntCheck::kSound;
        std::string firstMismatch;
        for (uint32_t f = 0; f < fonts; ++f) {
            const VLSfntCheck member = CheckFont(data, size, Read32(data + 12 + 4 * f), problem);
            if (member == VLSfntCheck::kBroken) return member;
            if (member == VLSfntCheck::kChecksumMismatch && worst == VLSfntCheck::kSound) {
                worst = member;
                firstMismatch = problem;
            }
        }
        problem = firstMismatch;
        return worst;
    }
    if (!IsSfntVersion(tag)) return VLSfntCheck::kNotSfnt;
    return CheckFont(data, size, 0, problem);
}
