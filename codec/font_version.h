#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What a TrueType/OpenType file says about its own version and family, read
// from untrusted bytes: every offset and length is checked against the file.
// For a collection, its first font.
struct VLFontVersion {
    // head.fontRevision rounded to thousandths; hasRevision false when the
    // head table is missing or cut short.
    bool hasRevision = false;
    int64_t revisionThousandths = 0;
    // The name table's version string (name 5) and family (name 1), UTF-8;
    // empty when there is none.
    std::string versionString;
    std::string family;
};

VLFontVersion ReadFontVersion(const uint8_t* data, size_t size);

// The version in thousandths: the head revision, else the first number of the
// version string ("Version 3.03" is 3030). False when neither can be read.
bool VersionThousandths(const VLFontVersion& version, int64_t& thousandths);

// How an installed font's version compares with the package's.
enum class VLVersionOrder { kLower, kSame, kHigher, kUnknown };
VLVersionOrder CompareFontVersions(const VLFontVersion& installed, const VLFontVersion& package);

// "3.030" from the revision, else the version string, else "".
std::string FormatFontVersion(const VLFontVersion& version);
