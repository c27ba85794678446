// Stored otf.inf bytes through the settings-file loader.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalogue/inf_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= kMaxInfFileSize) return 0;
    std::vector<uint8_t> bytes(data, data + size);
    LoadInfBytes(bytes.data(), bytes.size());
    return 0;
}
