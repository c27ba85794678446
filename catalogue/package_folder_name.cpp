#include "catalogue/package_folder_name.h"

#include <cstdint>

#include "catalogue/base_name_check.h"
#include "platform/shift_jis.h"

namespace {

constexpr size_t kMaxFolderNameBytes = 64;

bool IsSafeSingleByte(uint8_t b) {
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '-' ||
           b == '_' || b == '.';
}

bool IsTrailByte(uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

}  // namespace

std::string PackageFolderName(const std::string& productType) {
    std::string name;
    for (size_t i = 0; i < productType.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(productType[i]);
        if (IsShiftJisLeadByte(b)) {
            if (i + 1 >= productType.size()) break;
            const uint8_t trail = static_cast<uint8_t>(productType[i + 1]);
            if (!IsTrailByte(trail)) continue;  // the next byte is judged on its own
            ++i;
            if (trail == '\\' || name.size() + 2 > kMaxFolderNameBytes) continue;
            name += static_cast<char>(b);
            name += static_cast<char>(trail);
        } else if (IsSafeSingleByte(b) && name.size() < kMaxFolderNameBytes) {
            name += static_cast<char>(b);
        }
    }
    const size_t first = name.find_first_not_of('.');
    if (first == std::string::npos) return kFallbackPackageFolder;
    name.erase(0, first);
    // No trail byte is a dot: a dot at the end is a character of its own.
    while (!name.empty() && name.back() == '.') name.pop_back();
    // The file-name rule has the last word (reserved device names among others).
    if (name.empty() || CheckBaseName(name) != VLBaseNameProblem::kNone) return kFallbackPackageFolder;
    return name;
}
