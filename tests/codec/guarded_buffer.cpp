#include "tests/codec/guarded_buffer.h"

#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

size_t PageSize() {
#ifdef _WIN32
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
#else
    return static_cast<size_t>(sysconf(_SC_PAGESIZE));
#endif
}

}  // namespace

GuardedBuffer::GuardedBuffer(const std::vector<uint8_t>& bytes) : m_nSize(bytes.size()) {
    const size_t page = PageSize();
    const size_t dataPages = (bytes.size() + page - 1) / page;
    m_nMapped = (dataPages + 1) * page;
#ifdef _WIN32
    m_pBase =
        static_cast<uint8_t*>(VirtualAlloc(nullptr, m_nMapped, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!m_pBase) throw std::runtime_error("VirtualAlloc failed");
    DWORD old = 0;
    VirtualProtect(m_pBase + dataPages * page, page, PAGE_NOACCESS, &old);
#else
    void* base = mmap(nullptr, m_nMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) throw std::runtime_error("mmap failed");
    m_pBase = static_cast<uint8_t*>(base);
    mprotect(m_pBase + dataPages * page, page, PROT_NONE);
#endif
    m_pData = m_pBase + dataPages * page - bytes.size();
    if (!bytes.empty()) std::memcpy(m_pData, bytes.data(), bytes.size());
}

GuardedBuffer::~GuardedBuffer() {
#ifdef _WIN32
    VirtualFree(m_pBase, 0, MEM_RELEASE);
#else
    munmap(m_pBase, m_nMapped);
#endif
}
