#include <windows.h>

#include <mutex>
#include <string>

#include "platform/read_only_file.h"
#include "platform/shift_jis.h"

namespace {

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Whether the file lies on a fixed drive, asked once per folder: a package's
// files share theirs, and each question costs a millisecond or more.
bool OnFixedDrive(const std::string& path) {
    static std::mutex mutex;
    static std::string lastFolder;
    static bool lastFixed = false;
    const std::string folder = FolderOfPath(path);
    std::lock_guard<std::mutex> lock(mutex);
    if (!folder.empty() && folder == lastFolder) return lastFixed;
    char volume[MAX_PATH + 1] = {};
    const bool fixed =
        GetVolumePathNameA(path.c_str(), volume, sizeof(volume)) && GetDriveTypeA(volume) == DRIVE_FIXED;
    lastFolder = folder;
    lastFixed = fixed;
    return fixed;
}

}  // namespace

VLReadOnlyFile::~VLReadOnlyFile() { Close(); }

void VLReadOnlyFile::Close() {
    if (m_view) UnmapViewOfFile(m_view);
    m_view = nullptr;
    if (m_handle != -1) CloseHandle(AsHandle(m_handle));
    m_handle = -1;
    m_size = 0;
    m_path.clear();
}

VLReadOnlyFile::OpenResult VLReadOnlyFile::Open(const std::string& path) {
    Close();
    // Programs that use a font keep it open: sharing everything with them lets
    // an installed font be read while it is in use.
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // A folder does not open as a file at all; it is no regular file either.
        const DWORD attributes = GetFileAttributesA(path.c_str());
        const bool isFolder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        return isFolder ? OpenResult::kNotRegular : OpenResult::kCannotOpen;
    }
    // A device name (CON, COM1, a pipe) opens too: only a file on a disk will do.
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0 ||
        !GetFileSizeEx(file, &size) || size.QuadPart < 0) {
        CloseHandle(file);
        return OpenResult::kNotRegular;
    }
    m_handle = reinterpret_cast<intptr_t>(file);
    m_size = static_cast<uint64_t>(size.QuadPart);
    m_path = path;
    return OpenResult::kOpened;
}

const uint8_t* VLReadOnlyFile::MapWhole() {
    if (m_handle == -1 || m_size == 0 || m_size > SIZE_MAX) return nullptr;
    if (m_view) return static_cast<const uint8_t*>(m_view);
    if (!OnFixedDrive(m_path)) return nullptr;
    // Of the size found at opening: a file cut short since then does not map.
    const HANDLE mapping =
        CreateFileMappingA(AsHandle(m_handle), nullptr, PAGE_READONLY, static_cast<DWORD>(m_size >> 32),
                           static_cast<DWORD>(m_size & 0xFFFFFFFFu), nullptr);
    if (!mapping) return nullptr;
    // The view keeps the mapping alive.
    m_view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(m_size));
    CloseHandle(mapping);
    return static_cast<const uint8_t*>(m_view);
}

bool VLReadOnlyFile::Read(uint8_t* data, uint32_t size) {
    if (m_handle == -1) return false;
    while (size > 0) {
        DWORD read = 0;
        if (!ReadFile(AsHandle(m_handle), data, size, &read, nullptr) || read == 0) return false;
        data += read;
        size -= read;
    }
    return true;
}
