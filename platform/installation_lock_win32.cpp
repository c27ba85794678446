#include "platform/installation_lock.h"

#include "platform/win32_handles.h"

namespace {

class VLMutexLock : public VLInstallationLock {
public:
    explicit VLMutexLock(HANDLE mutex) : m_mutex(mutex) {}

private:
    VLHandle m_mutex;
};

}  // namespace

std::unique_ptr<VLInstallationLock> TakeInstallationLock() {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kInstallationMutexName);
    if (mutex == nullptr) return nullptr;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<VLMutexLock>(mutex);
}
