#include "tools/vellfont/console.h"

#include <CLI/CLI.hpp>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iostream>

#include "platform/read_only_file.h"
#include "platform/shift_jis.h"
#include "platform/text_encoding.h"

namespace {

// No font source, manifest or settings file comes near this; a larger input is
// refused before it is read.
constexpr uint64_t kMaxInputFileSize = uint64_t(1) << 30;

}  // namespace

void Fail(int exitCode, const std::string& message) {
    std::cerr << "vellfont: " << message << '\n';
    throw CLI::RuntimeError(exitCode);
}

std::string EscapeControls(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        // No byte of a double-byte character is below 0x20 or 0x7F itself.
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\x%02x", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string Display(const std::string& sjis) { return ShiftJisToUtf8(EscapeControls(sjis)); }

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    if (folder.empty()) return name;
    // On Windows the arguments are Shift-JIS: the second byte of ソ or 能 is
    // 0x5C and no separator.
    const size_t lastSeparator =
        separator == '\\' ? FindLastSingleByte(folder, '\\') : folder.rfind(separator);
    if (folder.back() == '/' || lastSeparator == folder.size() - 1) return folder + name;
    return folder + separator + name;
}

std::string ReadFileOrFail(const std::string& path, int exitCode) {
    std::string bytes;
    VLReadFailure why = VLReadFailure::kNone;
    if (ReadRegularFile(path, kMaxInputFileSize, bytes, why)) return bytes;
    switch (why) {
        case VLReadFailure::kNotRegular:
            Fail(exitCode, path + ": not a regular file");
        case VLReadFailure::kTooLarge:
            Fail(exitCode, path + ": too large");
        case VLReadFailure::kCannotOpen:
            Fail(exitCode, path + ": cannot be opened");
        case VLReadFailure::kCannotRead:
        case VLReadFailure::kNone:
            break;
    }
    Fail(exitCode, path + ": cannot be read");
}

void WriteFileOrFail(const std::string& path, const std::string& bytes, int exitCode) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) Fail(exitCode, path + ": cannot be created");
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::remove(path.c_str());
        Fail(exitCode, path + ": cannot be written");
    }
}
