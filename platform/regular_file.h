#pragma once

#include <sys/stat.h>

#include <string>

// Whether a regular file (not a folder, FIFO or device) is at the path.
// Opening a FIFO or a device to read it could wait forever. stat takes the
// bytes as they are: Shift-JIS paths on Windows, UTF-8 elsewhere.
inline bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
