#pragma once

#include <memory>
#include <string>
#include <vector>

// An open registry key; closed when the object goes.
class IVLRegistryKey {
public:
    virtual ~IVLRegistryKey() = default;
    // A REG_SZ value; the data is stored with its terminating NUL.
    virtual bool SetStringValue(const std::string& name, const std::string& data) = 0;
    // The value's data as text. kMissing when there is no value of that name;
    // kError when it exists but cannot be read as a string (another type, or
    // too long).
    enum class Query { kFound, kMissing, kError };
    virtual Query QueryStringValue(const std::string& name, std::string& data) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
    // The names of all values of the key.
    virtual std::vector<std::string> ValueNames() = 0;
};

// The system's font table: the machine-wide and the user's Fonts keys and the
// running session.
class IVLFontRegistry {
public:
    virtual ~IVLFontRegistry() = default;
    // Opens a key below HKEY_LOCAL_MACHINE with the right to read and set
    // values; null when it cannot be opened (for example without write access).
    virtual std::unique_ptr<IVLRegistryKey> OpenMachineKeyForSet(const std::string& subKey) = 0;
    // Opens a key below HKEY_LOCAL_MACHINE to read values only (no
    // administrator rights needed); null when it cannot be opened.
    virtual std::unique_ptr<IVLRegistryKey> OpenMachineKeyForRead(const std::string& subKey) = 0;
    // Opens a key below HKEY_CURRENT_USER with the right to read and set
    // values, creating it when missing; null when that fails.
    virtual std::unique_ptr<IVLRegistryKey> OpenUserKeyForSet(const std::string& subKey) = 0;
    // Opens a key below HKEY_CURRENT_USER to read values only, never creating
    // it; null when it is not there.
    virtual std::unique_ptr<IVLRegistryKey> OpenUserKeyForRead(const std::string& subKey) = 0;
    // Adds a font file (a bare name in the system font folder, or a full
    // path) to the running system's font table; false when the system took no
    // font from it.
    virtual bool AddSessionFont(const std::string& fileName) = 0;
    // Takes one load of the font file out of the running system's font table;
    // false when there was none left.
    virtual bool RemoveSessionFont(const std::string& fileName) = 0;
    // Tells every top-level window that the font table changed, without
    // waiting for any of them.
    virtual void BroadcastFontChange() = 0;
};
