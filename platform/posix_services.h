#pragma once

#include "platform/install_platform.h"

// Stand-ins for the native command-line tool: real files, but no Windows
// folder, no registry and no font table. Paths are Shift-JIS with backslashes,
// as in the Windows program; ToNativePath turns them into UTF-8 with slashes.

class VLPosixSystemInfo : public IVLSystemInfo {
public:
    // No Windows folder: reports 0, so nothing is ever in the system font folder.
    uint32_t QueryWindowsDirectory(char* buffer, uint32_t size) override;
    // Fails: there is no Windows version to report.
    bool QueryVersion(uint32_t structSize, VLOsVersion& version) override;
    // The effective user is root.
    bool IsAdministrator() override;
};

class VLPosixFontRegistry : public IVLFontRegistry {
public:
    std::unique_ptr<IVLRegistryKey> OpenMachineKeyForSet(const std::string& subKey) override;
    std::unique_ptr<IVLRegistryKey> OpenMachineKeyForRead(const std::string& subKey) override;
    std::unique_ptr<IVLRegistryKey> OpenUserKeyForRead(const std::string& subKey) override;
    std::unique_ptr<IVLRegistryKey> OpenUserKeyForSet(const std::string& subKey) override;
    bool AddSessionFont(const std::string& fileName) override;
    bool RemoveSessionFont(const std::string& fileName) override;
    void BroadcastFontChange() override;
};

class VLPosixFileSystem : public IVLFileSystem {
public:
    bool Exists(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    // open(O_CREAT | O_EXCL | O_NOFOLLOW) on "~vl<process>-<random>.tmp" in the
    // folder, then mode 0644 whatever the umask.
    std::unique_ptr<IVLWritableFile> CreateTempFile(const std::string& folder,
                                                    std::string& tempPath) override;
    // Those of processes that no longer run.
    int RemoveStaleTempFiles(const std::string& folder) override;
    // link then unlink (link fails when the target exists); without hard
    // links, a rename that refuses to replace.
    bool MoveNoReplace(const std::string& from, const std::string& to) override;
    // open(O_NOFOLLOW), a regular file only.
    bool ReadWholeFile(const std::string& path, uint32_t maxSize, std::string& bytes) override;
    // rename(), which replaces in one step.
    bool MoveReplace(const std::string& from, const std::string& to) override;
    // Nothing here holds files against renaming: always false.
    bool MoveAtRestart(const std::string& from, const std::string& to) override;
    std::string ToNativePath(const std::string& path) override;
};
