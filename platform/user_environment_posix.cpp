#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/posix_services.h"
#include "platform/user_environment.h"

namespace {

class VLPosixUserEnvironment : public IVLUserEnvironment {
public:
    uint32_t QueryBuildNumber() override { return 0; }
    bool IsLocalSystemAccount() override { return false; }
    std::string QueryLocalAppDataFolder() override { return std::string(); }
    bool IsRoot() override { return ::geteuid() == 0; }

    std::optional<std::string> GetVariable(const std::string& name) override {
        const char* value = std::getenv(name.c_str());
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    }

    bool MakeFolder(const std::string& path, std::string& error) override {
        const std::string native = m_files.ToNativePath(path);
        if (::mkdir(native.c_str(), 0755) == 0) {
            // The umask may have taken bits away (077 under some root shells):
            // a font folder others cannot enter hides its fonts from them.
            if (::chmod(native.c_str(), 0755) != 0) {
                error = std::strerror(errno);
                return false;
            }
            return true;
        }
        const int why = errno;
        struct stat st {};
        if (why == EEXIST && ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
        error = why == EEXIST ? "a file of that name is in the way" : std::strerror(why);
        return false;
    }

private:
    VLPosixFileSystem m_files;
};

}  // namespace

IVLUserEnvironment& GetSystemUserEnvironment() {
    static VLPosixUserEnvironment environment;
    return environment;
}
