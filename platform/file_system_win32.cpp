#include <windows.h>

#include <cstdio>
#include <random>

#include "platform/background_flush.h"
#include "platform/read_only_file.h"
#include "platform/win32_handles.h"
#include "platform/win32_services.h"

namespace {

class VLWin32WritableFile : public IVLWritableFile {
public:
    explicit VLWin32WritableFile(HANDLE file) : m_file(file) {}

    bool Write(const uint8_t* data, uint32_t size) override {
        DWORD written = 0;
        // An empty write still goes to the system, which reports on the handle.
        return WriteFile(m_file.Get(), data, size, &written, nullptr) && written == size;
    }

    void BeginClose() override {
        if (m_file) m_flush.Begin();
    }

    bool Close() override {
        if (!m_file) return false;
        const bool flushed = m_flush.Result();
        const bool closed = m_file.Reset();
        return flushed && closed;
    }

private:
    VLHandle m_file;
    // After the handle: a flush still running is waited for before it closes.
    VLBackgroundFlush m_flush{[this] { return FlushFileBuffers(m_file.Get()) != FALSE; }};
};

// A name nobody can guess ahead of the run; created with CREATE_NEW, it is
// never one that was there before.
std::string TempNameIn(const std::string& folder) {
    static std::random_device entropy;
    char name[48];
    std::snprintf(name, sizeof(name), "~vl%lx-%08x%08x.tmp",
                  static_cast<unsigned long>(GetCurrentProcessId()), entropy(), entropy());
    if (folder.empty()) return name;
    return folder + "\\" + name;
}

}  // namespace

bool VLWin32FileSystem::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool VLWin32FileSystem::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

std::unique_ptr<IVLWritableFile> VLWin32FileSystem::CreateTempFile(const std::string& folder,
                                                                   std::string& tempPath) {
    for (int tries = 0; tries < 100; ++tries) {
        const std::string candidate = TempNameIn(folder);
        HANDLE file = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            tempPath = candidate;
            return std::make_unique<VLWin32WritableFile>(file);
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return nullptr;
    }
    return nullptr;
}

int VLWin32FileSystem::RemoveStaleTempFiles(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\~vl*-*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int removed = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        // A temporary file being written is open without sharing: deleting it fails.
        if (DeleteFileA((folder + "\\" + found.cFileName).c_str())) ++removed;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return removed;
}

bool VLWin32FileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool VLWin32FileSystem::ReadWholeFile(const std::string& path, uint32_t maxSize, std::string& bytes) {
    VLReadFailure why = VLReadFailure::kNone;
    return ReadRegularFile(path, static_cast<uint64_t>(maxSize) + 1, bytes, why);
}

bool VLWin32FileSystem::MoveReplace(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool VLWin32FileSystem::MoveAtRestart(const std::string& from, const std::string& to) {
    if (to.empty()) return MoveFileExA(from.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING) !=
           FALSE;
}
