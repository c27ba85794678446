#pragma once

#include <cstdint>
#include <memory>
#include <new>

#include "platform/large_block.h"

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
    // Room of a megabyte or more is taken with half as much again, in whole
    // megabytes, so that a larger next font (the other weight of a family)
    // fits too. Room never written costs no memory: a page is only had once
    // it is first touched.
    static constexpr uint32_t kGrain = 1u << 20;

    // Makes room for size bytes, whose contents are undefined; false, leaving
    // the buffer empty, when the memory cannot be had.
    bool Resize(uint32_t size) {
        if (!m_block.Data() || size > m_capacity) {
            // The old room goes first: never both at once.
            m_block.Free();
            m_size = m_capacity = 0;
            uint32_t room = size > 0 ? size : 1;  // an empty buffer still has an address
            if (size >= kGrain) room = RoomFor(size);
            if (!m_block.Allocate(room)) return false;
            m_capacity = room;
        }
        m_size = size;
        return true;
    }
    uint8_t* Data() { return m_block.Data(); }
    const uint8_t* Data() const { return m_block.Data(); }
    uint32_t Size() const { return m_size; }

    // The room taken for size bytes of a megabyte or more.
    static uint32_t RoomFor(uint32_t size) {
        const uint64_t wanted = uint64_t{size} + size / 2 + kGrain - 1;
        const uint64_t room = wanted / kGrain * kGrain;
        return room > UINT32_MAX ? size : static_cast<uint32_t>(room);
    }

private:
    VLLargeBlock m_block;
    uint32_t m_size = 0;
    uint32_t m_capacity = 0;
};
