#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "install/progress.h"
#include "platform/install_platform.h"

// The installer's platform in memory, with failures on demand: files and
// folders in maps, a registry that records what is written, and a system
// whose folder, version and rights the test chooses.
class VLFakePlatform : public IVLSystemInfo, public IVLFontRegistry, public IVLFileSystem {
public:
    VLFakePlatform() : m_platform{*this, *this, *this} {}
    VLInstallPlatform& Platform() { return m_platform; }

    // System.
    std::string m_strWindowsFolder = "C:\\WINDOWS";
    // When set, reported instead of the folder's length (a path that did not fit).
    uint32_t m_reportedLength = 0;
    VLOsVersion m_version{6, 2};
    bool m_bFailVersionEx = false;
    bool m_bFailVersionBasic = false;
    bool m_bAdministrator = true;
    std::vector<uint32_t> m_versionQueries;

    // Registry.
    bool m_bFailOpenKey = false;
    bool m_bFailSetValue = false;
    bool m_bRefuseSessionFont = false;
    bool m_bFailOpenKeyForRead = false;
    // Loads of each font file in the running session (AddSessionFont adds one).
    std::map<std::string, int> m_sessionLoads;
    std::vector<std::string> m_openedKeys;
    std::map<std::string, std::string> m_values;
    int m_closedKeys = 0;
    // "open", "query", "set", "delete", "close", "add:<file>", "broadcast" in call order.
    std::vector<std::string> m_registryCalls;

    // Files.
    std::set<std::string> m_folders;
    std::map<std::string, std::string> m_files;
    bool m_bFailCreate = false;
    // 1-based number of the write that fails; 0 for none.
    int m_failWriteNumber = 0;
    bool m_bFailClose = false;
    bool m_bFailMove = false;
    std::vector<uint32_t> m_writeSizes;
    std::vector<std::string> m_sweptFolders;
    // Files some other program holds open: they can be read but not deleted,
    // replaced or renamed.
    std::set<std::string> m_heldFiles;
    bool m_bFailRead = false;
    bool m_bFailMoveAtRestart = false;
    // Renames the system will do at its next start (an empty target deletes).
    std::vector<std::pair<std::string, std::string>> m_restartMoves;
    // Carries out the renames due at a restart, as the system would.
    void Restart();

    // What a kill would leave: with m_bRecordStates, the files, values and
    // restart renames after every change, in order.
    struct State {
        std::map<std::string, std::string> files;
        std::map<std::string, std::string> values;
        std::vector<std::pair<std::string, std::string>> restartMoves;
    };
    bool m_bRecordStates = false;
    std::vector<State> m_states;
    void Record() {
        if (m_bRecordStates) m_states.push_back(State{m_files, m_values, m_restartMoves});
    }

    // Paths of files whose name starts with the temporary prefix.
    std::vector<std::string> TempFiles() const;

    uint32_t QueryWindowsDirectory(char* buffer, uint32_t size) override;
    bool QueryVersion(uint32_t structSize, VLOsVersion& version) override;
    bool IsAdministrator() override { return m_bAdministrator; }

    std::unique_ptr<IVLRegistryKey> OpenMachineKeyForSet(const std::string& subKey) override;
    std::unique_ptr<IVLRegistryKey> OpenMachineKeyForRead(const std::string& subKey) override;
    // Its values are kept under "HKCU\<subKey>\<name>"; the calls record "openUser".
    std::unique_ptr<IVLRegistryKey> OpenUserKeyForSet(const std::string& subKey) override;
    std::unique_ptr<IVLRegistryKey> OpenUserKeyForRead(const std::string& subKey) override;
    bool AddSessionFont(const std::string& fileName) override {
        m_registryCalls.push_back("add:" + fileName);
        if (m_bRefuseSessionFont) return false;
        ++m_sessionLoads[fileName];
        return true;
    }
    bool RemoveSessionFont(const std::string& fileName) override {
        m_registryCalls.push_back("remove:" + fileName);
        auto found = m_sessionLoads.find(fileName);
        if (found == m_sessionLoads.end() || found->second == 0) return false;
        --found->second;
        return true;
    }
    void BroadcastFontChange() override { m_registryCalls.push_back("broadcast"); }

    bool Exists(const std::string& path) override { return m_files.count(path) || m_folders.count(path); }
    bool RemoveFile(const std::string& path) override {
        if (m_heldFiles.count(path) || m_files.erase(path) == 0) return false;
        Record();
        return true;
    }
    std::unique_ptr<IVLWritableFile> CreateTempFile(const std::string& folder,
                                                    std::string& tempPath) override;
    int RemoveStaleTempFiles(const std::string& folder) override {
        m_sweptFolders.push_back(folder);
        return 0;
    }
    bool MoveNoReplace(const std::string& from, const std::string& to) override;
    bool ReadWholeFile(const std::string& path, uint32_t maxSize, std::string& bytes) override;
    bool MoveReplace(const std::string& from, const std::string& to) override;
    bool MoveAtRestart(const std::string& from, const std::string& to) override;
    std::string ToNativePath(const std::string& path) override { return path; }

private:
    friend class VLFakeFile;
    VLInstallPlatform m_platform;
    int m_writeCount = 0;
    int m_tempCount = 0;
};

// A progress bar that clamps like the control and remembers every position.
class VLFakeBar : public IVLProgressBar {
public:
    int32_t GetPos() override { return m_position; }
    void SetPos(int32_t position) override {
        m_position = position < 0 ? 0 : (position > 100 ? 100 : position);
        m_positions.push_back(m_position);
    }

    int32_t m_position = 0;
    std::vector<int32_t> m_positions;
};

// Installs a fresh bar and an empty accumulator for one test.
class VLProgressFixture {
public:
    VLProgressFixture() {
        ResetProgressStateForTesting();
        SetProgressBarLookup([this] { return &m_bar; });
    }
    ~VLProgressFixture() { ResetProgressStateForTesting(); }

    VLFakeBar m_bar;
};
