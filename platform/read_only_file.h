#pragma once

#include <cstdint>
#include <string>

// A package file opened for reading. Only a regular file opens: a FIFO, a
// device or a folder is refused without waiting on it, and the check is made
// on the opened handle, so a file swapped in after a check by name is caught.
class VLReadOnlyFile {
public:
    enum class OpenResult { kOpened, kCannotOpen, kNotRegular };

    VLReadOnlyFile() = default;
    ~VLReadOnlyFile();
    VLReadOnlyFile(const VLReadOnlyFile&) = delete;
    VLReadOnlyFile& operator=(const VLReadOnlyFile&) = delete;

    // path as this system's own calls take it (ANSI on Windows, UTF-8 natively).
    OpenResult Open(const std::string& path);
    // The size found when the file was opened.
    uint64_t Size() const { return m_size; }
    // Reads exactly size bytes at the current position; false on an error or an early end.
    bool Read(uint8_t* data, uint32_t size);
    // The whole file mapped read-only, its bytes valid until the file is
    // closed; nullptr where it is not mapped and must be read. Only Windows
    // maps, and only from a fixed drive: it refuses to cut short a mapped
    // file, where POSIX would end the process at the next touch of a lost
    // page, as Windows would for a disc or stick taken out mid-read.
    const uint8_t* MapWhole();
    // Unmaps and closes; a closed file reads nothing.
    void Close();

private:
    // A file descriptor natively, a HANDLE on Windows; -1 when nothing is open.
    intptr_t m_handle = -1;
    uint64_t m_size = 0;
    const void* m_view = nullptr;
    std::string m_path;
};

// The whole of a regular file of fewer than maxSize bytes. False, with why set,
// when it cannot be opened or read, is no regular file, or is too large.
enum class VLReadFailure { kNone, kCannotOpen, kNotRegular, kTooLarge, kCannotRead };
bool ReadRegularFile(const std::string& path, uint64_t maxSize, std::string& bytes, VLReadFailure& why);
