#pragma once

#include <cstdint>
#include <memory>

// A heap buffer handed from the codec to its caller, who owns it. An empty
// buffer (no data, size 0) is the codec's only failure result.
struct VLByteBuffer {
    std::unique_ptr<uint8_t[]> data;
    uint32_t size = 0;

    explicit operator bool() const { return data != nullptr; }
};
