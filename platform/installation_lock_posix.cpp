#include "platform/installation_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// VELLFONT_LOCK_FILE names another (tests run side by side with their own).
const char* LockFile() {
    const char* chosen = std::getenv("VELLFONT_LOCK_FILE");
    return chosen != nullptr && chosen[0] != '\0' ? chosen : "/tmp/vellfont-installation.lock";
}

class VLFileLock : public VLInstallationLock {
public:
    explicit VLFileLock(int fd) : m_fd(fd) {}
    ~VLFileLock() override { ::close(m_fd); }

private:
    int m_fd;
};

}  // namespace

std::unique_ptr<VLInstallationLock> TakeInstallationLock() {
    const int fd = ::open(LockFile(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<VLFileLock>(fd);
}
