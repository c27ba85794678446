#include <windows.h>

#include "platform/win32_handles.h"
#include "platform/win32_services.h"

namespace {

class VLWin32RegistryKey : public IVLRegistryKey {
public:
    explicit VLWin32RegistryKey(HKEY key) : m_key(key) {}

    bool SetStringValue(const std::string& name, const std::string& data) override {
        // REG_SZ data is counted with its terminating zero byte.
        return RegSetValueExA(m_key.Get(), name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()),
                              static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
    }

    Query QueryStringValue(const std::string& name, std::string& data) override {
        DWORD type = 0;
        DWORD size = 0;
        const LONG probed = RegQueryValueExA(m_key.Get(), name.c_str(), nullptr, &type, nullptr, &size);
        if (probed == ERROR_FILE_NOT_FOUND) return Query::kMissing;
        if (probed != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size > 32768)
            return Query::kError;
        std::string buffer(size + 1, '\0');
        DWORD read = size;
        if (RegQueryValueExA(m_key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]),
                             &read) != ERROR_SUCCESS)
            return Query::kError;
        // The stored data need not end with its zero byte.
        data.assign(buffer.c_str());
        return Query::kFound;
    }

    bool DeleteValue(const std::string& name) override {
        return RegDeleteValueA(m_key.Get(), name.c_str()) == ERROR_SUCCESS;
    }

    std::vector<std::string> ValueNames() override {
        std::vector<std::string> names;
        // Value names are at most 16383 characters.
        std::string buffer(16384, '\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = static_cast<DWORD>(buffer.size());
            const LONG result =
                RegEnumValueA(m_key.Get(), index, &buffer[0], &length, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_MORE_DATA) continue;
            if (result != ERROR_SUCCESS) break;
            names.emplace_back(buffer.data(), length);
        }
        return names;
    }

private:
    VLRegKey m_key;
};

// A key that must exist already, opened with the given rights; none when it cannot be.
std::unique_ptr<IVLRegistryKey> OpenExistingKey(HKEY root, const std::string& subKey, REGSAM rights) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, rights, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<VLWin32RegistryKey>(key);
}

}  // namespace

std::unique_ptr<IVLRegistryKey> VLWin32FontRegistry::OpenMachineKeyForSet(const std::string& subKey) {
    return OpenExistingKey(HKEY_LOCAL_MACHINE, subKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
}

std::unique_ptr<IVLRegistryKey> VLWin32FontRegistry::OpenMachineKeyForRead(const std::string& subKey) {
    return OpenExistingKey(HKEY_LOCAL_MACHINE, subKey, KEY_QUERY_VALUE);
}

std::unique_ptr<IVLRegistryKey> VLWin32FontRegistry::OpenUserKeyForSet(const std::string& subKey) {
    // A user who never installed a font of their own has no such key yet.
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<VLWin32RegistryKey>(key);
}

std::unique_ptr<IVLRegistryKey> VLWin32FontRegistry::OpenUserKeyForRead(const std::string& subKey) {
    return OpenExistingKey(HKEY_CURRENT_USER, subKey, KEY_QUERY_VALUE);
}

bool VLWin32FontRegistry::AddSessionFont(const std::string& fileName) {
    return AddFontResourceA(fileName.c_str()) != 0;
}

bool VLWin32FontRegistry::RemoveSessionFont(const std::string& fileName) {
    return RemoveFontResourceA(fileName.c_str()) != FALSE;
}

void VLWin32FontRegistry::BroadcastFontChange() {
    // Posted to each window's queue: a hung program cannot stall the installer.
    SendNotifyMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
}
