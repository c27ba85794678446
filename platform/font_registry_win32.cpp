#include <windows.h>

#include "platform/win32_handles.h"
#include "platform/win32_services.h"

namespace {

class CVLWin32RegistryKey : public IVLRegistryKey {
public:
    explicit CVLWin32RegistryKey(HKEY key) : m_key(key) {}

    bool SetStringValue(const std::string& name, const std::string& data) override {
        // REG_SZ data is counted with its terminating zero byte.
        return RegSetValueExA(m_key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                              static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
    }

private:
    CVLRegKey m_key;
};

}  // namespace

std::unique_ptr<IVLRegistryKey> CVLWin32FontRegistry::OpenMachineKeyForSet(const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<CVLWin32RegistryKey>(key);
}

void CVLWin32FontRegistry::AddSessionFont(const std::string& fileName) {
    AddFontResourceA(fileName.c_str());
}

void CVLWin32FontRegistry::BroadcastFontChange() {
    // Posted to each window's queue: a hung program cannot stall the installer.
    SendNotifyMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
}
