#include "codec/font_version.h"

#include <cinttypes>
#include <cstdio>

namespace {

constexpr uint32_t kTagTtcf = 0x74746366;  // 'ttcf'
constexpr uint32_t kTagHead = 0x68656164;  // 'head'
constexpr uint32_t kTagName = 0x6E616D65;  // 'name'
constexpr uint16_t kNameFamily = 1;
constexpr uint16_t kNameVersion = 5;

// A view of the file that refuses every read outside it.
class VLFontBytes {
public:
    VLFontBytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Has(size_t at, size_t length) const { return at <= m_size && length <= m_size - at; }
    uint16_t U16(size_t at) const { return static_cast<uint16_t>(m_data[at] << 8 | m_data[at + 1]); }
    uint32_t U32(size_t at) const {
        return static_cast<uint32_t>(m_data[at]) << 24 | static_cast<uint32_t>(m_data[at + 1]) << 16 |
               static_cast<uint32_t>(m_data[at + 2]) << 8 | m_data[at + 3];
    }
    const uint8_t* At(size_t at) const { return m_data + at; }

private:
    const uint8_t* m_data;
    size_t m_size;
};

struct VLTable {
    size_t offset = 0;
    size_t length = 0;
};

// The table of that tag in the font whose directory starts at base.
bool FindTable(const VLFontBytes& bytes, size_t base, uint32_t tag, VLTable& table) {
    if (!bytes.Has(base, 12)) return false;
    const uint16_t count = bytes.U16(base + 4);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = base + 12 + 16 * static_cast<size_t>(i);
        if (!bytes.Has(entry, 16)) return false;
        if (bytes.U32(entry) != tag) continue;
        table.offset = bytes.U32(entry + 8);
        table.length = bytes.U32(entry + 12);
        return bytes.Has(table.offset, table.length);
    }
    return false;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string Utf16BeToUtf8(const uint8_t* text, size_t length) {
    std::string out;
    for (size_t i = 0; i + 1 < length; i += 2) {
        uint32_t code = static_cast<uint32_t>(text[i] << 8 | text[i + 1]);
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < length) {
            const uint32_t low = static_cast<uint32_t>(text[i + 2] << 8 | text[i + 3]);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                code = 0xFFFD;
            }
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    return out;
}

// Rank of a name record's encoding: Windows English first, then any Windows
// or Unicode record, then Mac Roman; 0 for what cannot be read.
int RecordRank(uint16_t platform, uint16_t encoding, uint16_t language) {
    if (platform == 3 && (encoding == 1 || encoding == 10)) return language == 0x409 ? 4 : 3;
    if (platform == 0) return 2;
    if (platform == 1 && encoding == 0) return 1;
    return 0;
}

std::string ReadName(const VLFontBytes& bytes, const VLTable& name, uint16_t nameId) {
    if (name.length < 6) return std::string();
    const uint16_t count = bytes.U16(name.offset + 2);
    const size_t strings = name.offset + bytes.U16(name.offset + 4);
    const size_t end = name.offset + name.length;
    int bestRank = 0;
    std::string best;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t record = name.offset + 6 + 12 * static_cast<size_t>(i);
        if (record + 12 > end) break;
        if (bytes.U16(record + 6) != nameId) continue;
        const int rank = RecordRank(bytes.U16(record), bytes.U16(record + 2), bytes.U16(record + 4));
        if (rank <= bestRank) continue;
        const size_t length = bytes.U16(record + 8);
        const size_t at = strings + bytes.U16(record + 10);
        if (at > end || length > end - at) continue;
        bestRank = rank;
        if (rank >= 2) {
            best = Utf16BeToUtf8(bytes.At(at), length);
        } else {
            // Mac Roman: only its ASCII half is taken as it is.
            best.clear();
            for (size_t k = 0; k < length; ++k) {
                const uint8_t c = bytes.At(at)[k];
                best += c < 0x80 ? static_cast<char>(c) : '?';
            }
        }
    }
    return best;
}

}  // namespace

VLFontVersion ReadFontVersion(const uint8_t* data, size_t size) {
    VLFontVersion version;
    const VLFontBytes bytes(data, size);
    if (!bytes.Has(0, 12)) return version;
    size_t base = 0;
    if (bytes.U32(0) == kTagTtcf) {
        if (bytes.U32(8) == 0 || !bytes.Has(12, 4)) return version;
        base = bytes.U32(12);
    }
    VLTable head;
    if (FindTable(bytes, base, kTagHead, head) && head.length >= 8) {
        const int32_t fixed = static_cast<int32_t>(bytes.U32(head.offset + 4));
        // 16.16 fixed point to thousandths, rounded half away from zero.
        const int64_t scaled = static_cast<int64_t>(fixed) * 1000;
        version.revisionThousandths = scaled >= 0 ? (scaled + 32768) / 65536 : -((-scaled + 32768) / 65536);
        version.hasRevision = true;
    }
    VLTable name;
    if (FindTable(bytes, base, kTagName, name)) {
        version.versionString = ReadName(bytes, name, kNameVersion);
        version.family = ReadName(bytes, name, kNameFamily);
    }
    return version;
}

bool VersionThousandths(const VLFontVersion& version, int64_t& thousandths) {
    if (version.hasRevision) {
        thousandths = version.revisionThousandths;
        return true;
    }
    const std::string& text = version.versionString;
    size_t at = 0;
    while (at < text.size() && (text[at] < '0' || text[at] > '9')) ++at;
    if (at == text.size()) return false;
    int64_t whole = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        // A number this long is no version.
        if (whole > 1000000) return false;
        whole = whole * 10 + (text[at] - '0');
    }
    int64_t fraction = 0;
    int digits = 0;
    if (at < text.size() && text[at] == '.') {
        for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            if (digits < 3) {
                fraction = fraction * 10 + (text[at] - '0');
                ++digits;
            }
        }
    }
    for (; digits < 3; ++digits) fraction *= 10;
    thousandths = whole * 1000 + fraction;
    return true;
}

VLVersionOrder CompareFontVersions(const VLFontVersion& installed, const VLFontVersion& package) {
    int64_t a = 0;
    int64_t b = 0;
    if (!VersionThousandths(installed, a) || !VersionThousandths(package, b)) return VLVersionOrder::kUnknown;
    if (a < b) return VLVersionOrder::kLower;
    if (a > b) return VLVersionOrder::kHigher;
    return VLVersionOrder::kSame;
}

std::string FormatFontVersion(const VLFontVersion& version) {
    if (!version.hasRevision) return version.versionString;
    const int64_t value = version.revisionThousandths;
    const int64_t magnitude = value < 0 ? -value : value;
    char text[32];
    std::snprintf(text, sizeof(text), "%s%" PRId64 ".%03" PRId64, value < 0 ? "-" : "", magnitude / 1000,
                  magnitude % 1000);
    return text;
}
