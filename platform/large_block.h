#pragma once

#include <cstddef>
#include <cstdint>

// Memory for the large buffers kept from font to font. The first touch of a
// fresh page is what costs: natively the block is asked for in huge pages
// where the system offers them, so that one 2 MiB page is touched where 512
// small ones were.
class VLLargeBlock {
public:
    VLLargeBlock() = default;
    ~VLLargeBlock() { Free(); }
    VLLargeBlock(const VLLargeBlock&) = delete;
    VLLargeBlock& operator=(const VLLargeBlock&) = delete;

    // Frees the block held, then takes one of size bytes (1 or more) with
    // undefined contents; false, holding nothing, when none can be had.
    bool Allocate(size_t size);
    void Free();
    uint8_t* Data() const { return m_data; }

private:
    uint8_t* m_data = nullptr;
    // What the system was asked for, and where (kept to give it back).
    void* m_mapping = nullptr;
    size_t m_mappingSize = 0;
};
