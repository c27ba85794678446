#include "tests/install/fake_platform.h"

#include <cstring>

namespace {

constexpr char kTempPrefix[] = "~fake";

class VLFakeKey : public IVLRegistryKey {
public:
    VLFakeKey(VLFakePlatform& platform, std::string name) : m_platform(platform), m_name(std::move(name)) {}
    ~VLFakeKey() override {
        ++m_platform.m_closedKeys;
        m_platform.m_registryCalls.push_back("close");
    }
    bool SetStringValue(const std::string& name, const std::string& data) override {
        m_platform.m_registryCalls.push_back("set");
        if (m_platform.m_bFailSetValue) return false;
        m_platform.m_values[m_name + "\\" + name] = data;
        m_platform.Record();
        return true;
    }
    Query QueryStringValue(const std::string& name, std::string& data) override {
        m_platform.m_registryCalls.push_back("query");
        auto found = m_platform.m_values.find(m_name + "\\" + name);
        if (found == m_platform.m_values.end()) return Query::kMissing;
        data = found->second;
        return Query::kFound;
    }
    bool DeleteValue(const std::string& name) override {
        m_platform.m_registryCalls.push_back("delete");
        const bool deleted = m_platform.m_values.erase(m_name + "\\" + name) > 0;
        m_platform.Record();
        return deleted;
    }
    std::vector<std::string> ValueNames() override {
        std::vector<std::string> names;
        const std::string prefix = m_name + "\\";
        for (const auto& value : m_platform.m_values) {
            if (value.first.compare(0, prefix.size(), prefix) == 0)
                names.push_back(value.first.substr(prefix.size()));
        }
        return names;
    }

private:
    VLFakePlatform& m_platform;
    std::string m_name;
};

}  // namespace

class VLFakeFile : public IVLWritableFile {
public:
    VLFakeFile(VLFakePlatform& platform, std::string path) : m_platform(platform), m_path(std::move(path)) {}

    bool Write(const uint8_t* data, uint32_t size) override {
        m_platform.m_writeSizes.push_back(size);
        if (++m_platform.m_writeCount == m_platform.m_failWriteNumber) return false;
        m_platform.m_files[m_path].append(reinterpret_cast<const char*>(data), size);
        m_platform.Record();
        return true;
    }
    bool Close() override { return !m_platform.m_bFailClose; }

private:
    VLFakePlatform& m_platform;
    std::string m_path;
};

std::vector<std::string> VLFakePlatform::TempFiles() const {
    std::vector<std::string> temps;
    for (const auto& entry : m_files) {
        if (entry.first.find(kTempPrefix) != std::string::npos) temps.push_back(entry.first);
    }
    return temps;
}

uint32_t VLFakePlatform::QueryWindowsDirectory(char* buffer, uint32_t size) {
    if (m_reportedLength) return m_reportedLength;
    const uint32_t length = static_cast<uint32_t>(m_strWindowsFolder.size());
    if (length >= size) return length + 1;
    std::memcpy(buffer, m_strWindowsFolder.c_str(), length + 1);
    return length;
}

bool VLFakePlatform::QueryVersion(uint32_t structSize, VLOsVersion& version) {
    m_versionQueries.push_back(structSize);
    if (structSize == kVersionInfoExSize ? m_bFailVersionEx : m_bFailVersionBasic) return false;
    version = m_version;
    return true;
}

std::unique_ptr<IVLRegistryKey> VLFakePlatform::OpenMachineKeyForSet(const std::string& subKey) {
    m_openedKeys.push_back(subKey);
    m_registryCalls.push_back("open");
    if (m_bFailOpenKey) return nullptr;
    return std::make_unique<VLFakeKey>(*this, subKey);
}

std::unique_ptr<IVLRegistryKey> VLFakePlatform::OpenUserKeyForSet(const std::string& subKey) {
    m_openedKeys.push_back("HKCU\\" + subKey);
    m_registryCalls.push_back("openUser");
    if (m_bFailOpenKey) return nullptr;
    return std::make_unique<VLFakeKey>(*this, "HKCU\\" + subKey);
}

std::unique_ptr<IVLRegistryKey> VLFakePlatform::OpenUserKeyForRead(const std::string& subKey) {
    m_openedKeys.push_back("HKCU\\" + subKey);
    m_registryCalls.push_back("openUserRead");
    if (m_bFailOpenKeyForRead) return nullptr;
    return std::make_unique<VLFakeKey>(*this, "HKCU\\" + subKey);
}

std::unique_ptr<IVLWritableFile> VLFakePlatform::CreateTempFile(const std::string& folder,
                                                                std::string& tempPath) {
    if (m_bFailCreate || !m_folders.count(folder)) return nullptr;
    tempPath = folder + "\\" + kTempPrefix + std::to_string(m_tempCount++) + ".tmp";
    m_files[tempPath];
    Record();
    return std::make_unique<VLFakeFile>(*this, tempPath);
}

bool VLFakePlatform::MoveNoReplace(const std::string& from, const std::string& to) {
    if (m_bFailMove || Exists(to) || !m_files.count(from)) return false;
    m_files[to] = m_files[from];
    m_files.erase(from);
    Record();
    return true;
}

std::unique_ptr<IVLRegistryKey> VLFakePlatform::OpenMachineKeyForRead(const std::string& subKey) {
    m_registryCalls.push_back("openread");
    if (m_bFailOpenKeyForRead) return nullptr;
    return std::make_unique<VLFakeKey>(*this, subKey);
}

bool VLFakePlatform::ReadWholeFile(const std::string& path, uint32_t maxSize, std::string& bytes) {
    auto found = m_files.find(path);
    if (m_bFailRead || found == m_files.end() || found->second.size() > maxSize) return false;
    bytes = found->second;
    return true;
}

bool VLFakePlatform::MoveReplace(const std::string& from, const std::string& to) {
    if (m_bFailMove || m_heldFiles.count(from) || m_heldFiles.count(to) || !m_files.count(from) ||
        m_folders.count(to))
        return false;
    m_files[to] = m_files[from];
    m_files.erase(from);
    Record();
    return true;
}

bool VLFakePlatform::MoveAtRestart(const std::string& from, const std::string& to) {
    if (m_bFailMoveAtRestart || !m_files.count(from)) return false;
    m_restartMoves.emplace_back(from, to);
    Record();
    return true;
}

void VLFakePlatform::Restart() {
    m_heldFiles.clear();
    m_sessionLoads.clear();
    for (const auto& move : m_restartMoves) {
        if (!m_files.count(move.first)) continue;
        if (!move.second.empty()) m_files[move.second] = m_files[move.first];
        m_files.erase(move.first);
    }
    m_restartMoves.clear();
}
