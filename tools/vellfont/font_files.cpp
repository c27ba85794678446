#include "tools/vellfont/font_files.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "codec/cmp_file.h"
#include "codec/font_descrambler.h"
#include "codec/sfnt_check.h"
#include "platform/text_encoding.h"

std::string CatalogueFileName(const std::string& sjis) {
#ifdef _WIN32
    return sjis;
#else
    return ShiftJisToUtf8(sjis);
#endif
}

bool DecodeFontFile(const std::string& path, int32_t number, VLByteBuffer& font, std::string& error) {
    const VLByteBuffer file = ReadCmpFile(path);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    VLDecodeStatus status = VLDecodeStatus::kOk;
    VLByteBuffer decoded = DecompressCmp(file.data.get(), file.size, &status);
    if (!decoded) {
        error = std::string("cannot decode: ") + DescribeDecodeStatus(status);
        return false;
    }
    if (!DescrambleFont(number, decoded.data.get(), decoded.size)) {
        error = decoded.size == 0 ? "no checksum byte (empty payload)" : "checksum mismatch";
        return false;
    }
    font = std::move(decoded);
    font.size -= 1;
    return true;
}

bool CheckFontStructure(const VLByteBuffer& font, std::string& note) {
    std::string problem;
    switch (CheckSfntTables(font.data.get(), font.size, problem)) {
        case VLSfntCheck::kSound:
            note = "tables sound";
            return true;
        case VLSfntCheck::kNotSfnt:
            note = "not a TrueType/OpenType file, tables not checked";
            return true;
        case VLSfntCheck::kBroken:
            note = "decodes, but " + problem + " (the installer refuses it)";
            return false;
        case VLSfntCheck::kChecksumMismatch:
            note = "decodes, but " + problem + " (the installer installs it with a warning)";
            return false;
    }
    return false;
}

bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t size, std::string& error) {
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) {
            error = "cannot create " + temporary;
            return false;
        }
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            error = "cannot write " + temporary;
            return false;
        }
    }
#ifdef _WIN32
    std::remove(path.c_str());
#endif
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot rename " + temporary + " to " + path;
        return false;
    }
    return true;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}
