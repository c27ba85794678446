#include "platform/install_platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "platform/background_flush.h"
#include "platform/posix_services.h"
#include "platform/read_only_file.h"
#include "platform/shift_jis.h"
#include "platform/text_encoding.h"

namespace {

class VLPosixWritableFile : public IVLWritableFile {
public:
    explicit VLPosixWritableFile(int fd) : m_fd(fd) {}
    ~VLPosixWritableFile() override {
        m_sync.Wait();
        if (m_fd >= 0) ::close(m_fd);
    }

    bool Write(const uint8_t* data, uint32_t size) override {
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            data += n;
            size -= static_cast<uint32_t>(n);
        }
        return true;
    }

    void BeginClose() override {
        if (m_fd >= 0) m_sync.Begin();
    }

    bool Close() override {
        if (m_fd < 0) return false;
        const bool synced = m_sync.Result();
        const bool closed = ::close(m_fd) == 0;
        m_fd = -1;
        return synced && closed;
    }

private:
    int m_fd;
    VLBackgroundFlush m_sync{[this] { return ::fsync(m_fd) == 0; }};
};

}  // namespace

uint32_t VLPosixSystemInfo::QueryWindowsDirectory(char*, uint32_t) { return 0; }

bool VLPosixSystemInfo::QueryVersion(uint32_t, VLOsVersion&) { return false; }

bool VLPosixSystemInfo::IsAdministrator() { return ::geteuid() == 0; }

std::unique_ptr<IVLRegistryKey> VLPosixFontRegistry::OpenMachineKeyForSet(const std::string&) {
    return nullptr;
}

std::unique_ptr<IVLRegistryKey> VLPosixFontRegistry::OpenMachineKeyForRead(const std::string&) {
    return nullptr;
}
std::unique_ptr<IVLRegistryKey> VLPosixFontRegistry::OpenUserKeyForSet(const std::string&) { return nullptr; }

std::unique_ptr<IVLRegistryKey> VLPosixFontRegistry::OpenUserKeyForRead(const std::string&) {
    return nullptr;
}

bool VLPosixFontRegistry::AddSessionFont(const std::string&) { return false; }

bool VLPosixFontRegistry::RemoveSessionFont(const std::string&) { return false; }

void VLPosixFontRegistry::BroadcastFontChange() {}

bool VLPosixFileSystem::Exists(const std::string& path) {
    struct stat st {};
    return ::stat(ToNativePath(path).c_str(), &st) == 0;
}

bool VLPosixFileSystem::RemoveFile(const std::string& path) {
    return ::unlink(ToNativePath(path).c_str()) == 0;
}

std::unique_ptr<IVLWritableFile> VLPosixFileSystem::CreateTempFile(const std::string& folder,
                                                                   std::string& tempPath) {
    // A name nobody can guess ahead, created exclusively and never through a
    // link planted under it.
    static std::random_device entropy;
    for (int tries = 0; tries < 100; ++tries) {
        char name[48];
        std::snprintf(name, sizeof(name), "~vl%lx-%08x%08x.tmp", static_cast<unsigned long>(::getpid()),
                      entropy(), entropy());
        const std::string candidate = folder.empty() ? std::string(name) : folder + "\\" + name;
        const int fd = ::open(ToNativePath(candidate).c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) {
            // Readable by everyone whatever the umask: a font only its
            // installer can read is invisible to every other program.
            if (::fchmod(fd, 0644) != 0) {
                ::close(fd);
                ::unlink(ToNativePath(candidate).c_str());
                return nullptr;
            }
            tempPath = candidate;
            return std::make_unique<VLPosixWritableFile>(fd);
        }
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

int VLPosixFileSystem::RemoveStaleTempFiles(const std::string& folder) {
    const std::string native = ToNativePath(folder);
    DIR* dir = ::opendir(native.c_str());
    if (dir == nullptr) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        unsigned long pid = 0;
        char rest[32] = {};
        // "~vl<process, hex>-<anything>.tmp"
        if (std::sscanf(entry->d_name, "~vl%lx-%31s", &pid, rest) != 2) continue;
        const std::string name = entry->d_name;
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".tmp") != 0) continue;
        // A running writer keeps its file; a pid that is gone (or reused by a
        // process that is no installer) leaves nothing anyone writes.
        const bool running = ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
        if (running) continue;
        if (::unlink((native + "/" + name).c_str()) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

bool VLPosixFileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
    const std::string source = ToNativePath(from);
    const std::string target = ToNativePath(to);
    if (::link(source.c_str(), target.c_str()) == 0) {
        ::unlink(source.c_str());
        return true;
    }
    // File systems without hard links (FAT, exFAT): a rename that refuses to
    // replace an existing file does the same.
    if (errno == EEXIST) return false;
    return ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0;
}

bool VLPosixFileSystem::ReadWholeFile(const std::string& path, uint32_t maxSize, std::string& bytes) {
    VLReadFailure why = VLReadFailure::kNone;
    return ReadRegularFile(ToNativePath(path), static_cast<uint64_t>(maxSize) + 1, bytes, why);
}

bool VLPosixFileSystem::MoveReplace(const std::string& from, const std::string& to) {
    return ::rename(ToNativePath(from).c_str(), ToNativePath(to).c_str()) == 0;
}

bool VLPosixFileSystem::MoveAtRestart(const std::string&, const std::string&) { return false; }

std::string VLPosixFileSystem::ToNativePath(const std::string& path) {
    // A backslash inside a double-byte character is part of that character.
    std::string slashed = path;
    for (size_t i = 0; i < slashed.size(); ++i) {
        if (IsShiftJisLeadByte(static_cast<uint8_t>(slashed[i]))) {
            ++i;
        } else if (slashed[i] == '\\') {
            slashed[i] = '/';
        }
    }
    return ShiftJisToUtf8(slashed);
}

VLInstallPlatform& GetSystemInstallPlatform() {
    static VLPosixSystemInfo system;
    static VLPosixFontRegistry registry;
    static VLPosixFileSystem files;
    static VLInstallPlatform platform{system, registry, files};
    return platform;
}
