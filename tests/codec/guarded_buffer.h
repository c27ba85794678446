#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A copy of some bytes placed so that they end right at an inaccessible page:
// reading one byte past the end crashes at once instead of passing silently.
class GuardedBuffer {
public:
    explicit GuardedBuffer(const std::vector<uint8_t>& bytes);
    ~GuardedBuffer();
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    const uint8_t* data() const { return m_pData; }
    uint8_t* data() { return m_pData; }
    size_t size() const { return m_nSize; }

private:
    uint8_t* m_pBase = nullptr;
    size_t m_nMapped = 0;
    uint8_t* m_pData = nullptr;
    size_t m_nSize = 0;
};
