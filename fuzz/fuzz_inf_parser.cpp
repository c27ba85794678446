// Stored otf.inf bytes through the settings-file loader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "catalogue/inf_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= kMaxInfFileSize) return 0;
    std::vector<uint8_t> bytes(data, data + size);
    VLInfProblem problem;
    const bool loaded = LoadInfBytes(bytes.data(), bytes.size(), &problem) != nullptr;
    // Every refusal says why; a loaded file has nothing to say.
    if (loaded != problem.reason.empty()) std::abort();
    return 0;
}
