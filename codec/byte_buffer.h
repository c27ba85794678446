#pragma once

#include <cstdint>
#include <memory>
#include <new>

// A heap buffer handed from the codec to its caller, who owns it. An empty
// buffer (no data, size 0) is the codec's only failure result.
struct VLByteBuffer {
    std::unique_ptr<uint8_t[]> data;
    uint32_t size = 0;

    explicit operator bool() const { return data != nullptr; }
};

// A buffer kept from one font to the next. It only grows and its bytes are
// never cleared: each page is touched once per installation, not once per
// font (the first touch of a fresh page is what costs).
class VLReusableBuffer {
public:
    // Makes room for size bytes, whose contents are undefined; false, leaving
    // the buffer empty, when the memory cannot be had.
    bool Resize(uint32_t size) {
        if (!m_data || size > m_capacity) {
            // The old room goes first: never both at once.
            m_data.reset();
            m_size = m_capacity = 0;
            // new[] of at least one byte: an empty buffer still has an address.
            m_data.reset(new (std::nothrow) uint8_t[size > 0 ? size : 1]);
            if (!m_data) return false;
            m_capacity = size;
        }
        m_size = size;
        return true;
    }
    uint8_t* Data() { return m_data.get(); }
    const uint8_t* Data() const { return m_data.get(); }
    uint32_t Size() const { return m_size; }

    // Hands the bytes over as a buffer of their own, leaving this one empty.
    VLByteBuffer Release() {
        VLByteBuffer result;
        result.data = std::move(m_data);
        result.size = result.data ? m_size : 0;
        m_size = m_capacity = 0;
        return result;
    }

private:
    std::unique_ptr<uint8_t[]> m_data;
    uint32_t m_size = 0;
    uint32_t m_capacity = 0;
};
