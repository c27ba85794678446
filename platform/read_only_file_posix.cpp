#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/read_only_file.h"

VLReadOnlyFile::~VLReadOnlyFile() { Close(); }

void VLReadOnlyFile::Close() {
    if (m_handle >= 0) ::close(static_cast<int>(m_handle));
    m_handle = -1;
    m_size = 0;
}

VLReadOnlyFile::OpenResult VLReadOnlyFile::Open(const std::string& path) {
    Close();
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return OpenResult::kCannotOpen;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return OpenResult::kCannotOpen;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return OpenResult::kNotRegular;
    }
    // A regular file ignores O_NONBLOCK; cleared all the same, reads are plain.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    m_handle = fd;
    m_size = static_cast<uint64_t>(st.st_size);
    return OpenResult::kOpened;
}

const uint8_t* VLReadOnlyFile::MapWhole() { return nullptr; }

bool VLReadOnlyFile::Read(uint8_t* data, uint32_t size) {
    if (m_handle < 0) return false;
    while (size > 0) {
        const ssize_t n = ::read(static_cast<int>(m_handle), data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<uint32_t>(n);
    }
    return true;
}
