#include "platform/read_only_file.h"

#include <algorithm>
#include <new>
#include <stdexcept>

bool ReadRegularFile(const std::string& path, uint64_t maxSize, std::string& bytes, VLReadFailure& why) {
    bytes.clear();
    VLReadOnlyFile file;
    switch (file.Open(path)) {
        case VLReadOnlyFile::OpenResult::kOpened:
            break;
        case VLReadOnlyFile::OpenResult::kCannotOpen:
            why = VLReadFailure::kCannotOpen;
            return false;
        case VLReadOnlyFile::OpenResult::kNotRegular:
            why = VLReadFailure::kNotRegular;
            return false;
    }
    why = VLReadFailure::kTooLarge;
    if (file.Size() >= maxSize || file.Size() > bytes.max_size()) return false;
    try {
        bytes.resize(static_cast<size_t>(file.Size()));
    } catch (const std::exception&) {
        return false;
    }
    // Read in pieces a 32-bit count can hold.
    constexpr uint32_t kPiece = 1u << 30;
    for (size_t done = 0; done < bytes.size();) {
        const uint32_t piece = static_cast<uint32_t>(std::min<size_t>(kPiece, bytes.size() - done));
        if (!file.Read(reinterpret_cast<uint8_t*>(&bytes[done]), piece)) {
            bytes.clear();
            why = VLReadFailure::kCannotRead;
            return false;
        }
        done += piece;
    }
    why = VLReadFailure::kNone;
    return true;
}
