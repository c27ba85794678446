#include "tools/vellfont/font_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <random>

#ifdef _WIN32
#include <windows.h>

#include "platform/shift_jis.h"
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif
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

namespace {

// A temporary name nobody can guess ahead of the run: a planted link or file
// of that name cannot be waiting for us.
std::string TemporaryNameBeside(const std::string& path) {
#ifdef _WIN32
    const size_t cut = FindLastSingleByte(path, '\\');
    const size_t slash = path.rfind('/');
    const size_t last =
        cut == std::string::npos ? slash : (slash == std::string::npos ? cut : std::max(cut, slash));
#else
    const size_t last = path.rfind('/');
#endif
    static std::random_device entropy;
    char name[40];
    std::snprintf(name, sizeof(name), "~vlpart-%08x%08x.tmp", entropy(), entropy());
    return (last == std::string::npos ? std::string() : path.substr(0, last + 1)) + name;
}

}  // namespace

bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t size, std::string& error) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string temporary = TemporaryNameBeside(path);
#ifdef _WIN32
        HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            error = "cannot create " + temporary;
            return false;
        }
        bool written = true;
        for (size_t done = 0; written && done < size;) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
            DWORD wrote = 0;
            written = WriteFile(file, data + done, chunk, &wrote, nullptr) && wrote == chunk;
            done += chunk;
        }
        written = FlushFileBuffers(file) && written;
        written = CloseHandle(file) && written;
        // Without MOVEFILE_REPLACE_EXISTING the move fails on a file that
        // appeared meanwhile.
        const bool placed = written && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
#else
        // Created exclusively and never through a link planted under its name.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            error = "cannot create " + temporary;
            return false;
        }
        bool written = true;
        for (size_t done = 0; written && done < size;) {
            const ssize_t n = ::write(fd, data + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            written = n > 0;
            if (written) done += static_cast<size_t>(n);
        }
        written = ::fsync(fd) == 0 && written;
        written = ::close(fd) == 0 && written;
        // A hard link never replaces an existing file; where the file system
        // has none, a rename that refuses to replace does the same.
        bool placed = false;
        if (written) {
            placed = ::link(temporary.c_str(), path.c_str()) == 0;
            if (!placed && errno != EEXIST) {
                placed =
                    ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0;
            }
        }
#endif
        std::remove(temporary.c_str());
        if (!written) {
            error = "cannot write " + temporary;
            return false;
        }
        if (!placed) {
            error = "cannot create " + path + " (it exists, or the folder refuses it); nothing replaced";
            return false;
        }
        return true;
    }
    error = "cannot find a free temporary name beside " + path;
    return false;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}
