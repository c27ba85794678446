#pragma once

#include "platform/install_platform.h"

// The installer's platform services over the real Win32 calls.

class VLWin32SystemInfo : public IVLSystemInfo {
public:
    // GetWindowsDirectoryA.
    uint32_t QueryWindowsDirectory(char* buffer, uint32_t size) override;
    // GetVersionExA with OSVERSIONINFOEXA (156) or OSVERSIONINFOA (148).
    bool QueryVersion(uint32_t structSize, VLOsVersion& version) override;
    // Looks up the account name of every group of the process token.
    bool IsAdministrator() override;
};

class VLWin32FontRegistry : public IVLFontRegistry {
public:
    // RegOpenKeyExA(HKEY_LOCAL_MACHINE, ..., KEY_SET_VALUE).
    std::unique_ptr<IVLRegistryKey> OpenMachineKeyForSet(const std::string& subKey) override;
    // RegOpenKeyExA(HKEY_LOCAL_MACHINE, ..., KEY_QUERY_VALUE).
    std::unique_ptr<IVLRegistryKey> OpenMachineKeyForRead(const std::string& subKey) override;
    // RegCreateKeyExA(HKEY_CURRENT_USER, ..., KEY_QUERY_VALUE | KEY_SET_VALUE).
    std::unique_ptr<IVLRegistryKey> OpenUserKeyForSet(const std::string& subKey) override;
    std::unique_ptr<IVLRegistryKey> OpenUserKeyForRead(const std::string& subKey) override;
    // AddFontResourceA.
    bool AddSessionFont(const std::string& fileName) override;
    // RemoveFontResourceA.
    bool RemoveSessionFont(const std::string& fileName) override;
    // WM_FONTCHANGE by SendNotifyMessageA to HWND_BROADCAST.
    void BroadcastFontChange() override;
};

class VLWin32FileSystem : public IVLFileSystem {
public:
    // GetFileAttributesA.
    bool Exists(const std::string& path) override;
    // DeleteFileA.
    bool RemoveFile(const std::string& path) override;
    // CreateFileA with CREATE_NEW on "~vl<process>-<random>.tmp" in the folder.
    std::unique_ptr<IVLWritableFile> CreateTempFile(const std::string& folder,
                                                    std::string& tempPath) override;
    // DeleteFileA on each: a file another process still writes (opened
    // without sharing) cannot be deleted.
    int RemoveStaleTempFiles(const std::string& folder) override;
    // MoveFileA, which never replaces an existing file.
    bool MoveNoReplace(const std::string& from, const std::string& to) override;
    // CreateFileA sharing reading and writing, so that a font in use can be compared.
    bool ReadWholeFile(const std::string& path, uint32_t maxSize, std::string& bytes) override;
    // MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
    bool MoveReplace(const std::string& from, const std::string& to) override;
    // MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT (needs administrator rights).
    bool MoveAtRestart(const std::string& from, const std::string& to) override;
    std::string ToNativePath(const std::string& path) override { return path; }
};
