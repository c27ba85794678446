#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What choosing between an installation for one user and one for the whole
// machine needs of the running system and account. Paths are engine paths
// (Shift-JIS bytes; backslashes on Windows).
class IVLUserEnvironment {
public:
    virtual ~IVLUserEnvironment() = default;
    // The Windows build number as the kernel reports it (not the compatibility
    // version a program without a manifest is told); 0 when unknown or not Windows.
    virtual uint32_t QueryBuildNumber() = 0;
    // Whether the process runs as the local SYSTEM account (user SID S-1-5-18).
    virtual bool IsLocalSystemAccount() = 0;
    // The user's local application data folder without a trailing separator;
    // empty when unknown or not Windows.
    virtual std::string QueryLocalAppDataFolder() = 0;
    // Whether the effective user is root (POSIX); false on Windows.
    virtual bool IsRoot() = 0;
    // An environment variable's value as the system holds it; nothing when unset.
    virtual std::optional<std::string> GetVariable(const std::string& name) = 0;
    // Creates one folder whose parent exists; a folder there already is fine.
    // A folder created here is readable by everyone (0755 natively, whatever
    // the umask). False, with the system's reason in error, otherwise.
    virtual bool MakeFolder(const std::string& path, std::string& error) = 0;
};

// The running system's environment; lives for the whole process.
IVLUserEnvironment& GetSystemUserEnvironment();
