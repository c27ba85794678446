#pragma once

#include <cstdint>
#include <string>

// What the operating system reports of its version.
struct VLOsVersion {
    uint32_t majorVersion = 0;
    uint32_t platformId = 0;
};

// Sizes of the two version structures the system accepts.
constexpr uint32_t kVersionInfoExSize = 156;
constexpr uint32_t kVersionInfoSize = 148;

// What the system reports for the Windows folder read into a buffer of
// kWindowsFolderBufferSize bytes: the text and the returned length (0 on
// failure; the size it would need when the path does not fit).
constexpr uint32_t kWindowsFolderBufferSize = 260;
struct VLWindowsFolder {
    std::string path;
    uint32_t reportedLength = 0;
};

// Names avoid those that <windows.h> turns into macros.
// The facts about the running system that font installation depends on.
class IVLSystemInfo {
public:
    virtual ~IVLSystemInfo() = default;
    // Writes the Windows folder into the buffer (NUL-terminated when it fits) and
    // returns the reported length: 0 on failure, size or more when it did not fit.
    virtual uint32_t QueryWindowsDirectory(char* buffer, uint32_t size) = 0;
    // Queries the version with a structure of structSize bytes (156 or 148).
    // On failure the version is left as it was.
    virtual bool QueryVersion(uint32_t structSize, VLOsVersion& version) = 0;
    // Whether the process holds the group named "Administrators"; false when
    // the query itself fails.
    virtual bool IsAdministrator() = 0;
};
