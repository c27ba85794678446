#include "catalogue/base_name_check.h"

#include <cctype>
#include <cstdint>
#include <cstring>

#include "platform/shift_jis.h"

namespace {

bool IsReservedDevice(const std::string& name) {
    // The system reserves the device names before any extension, blanks
    // before the dot included ("NUL .txt").
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    std::string upper;
    for (char c : stem) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices) {
        if (upper == device) return true;
    }
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

VLBaseNameProblem CheckBaseName(const std::string& sjisName) {
    if (sjisName.empty()) return VLBaseNameProblem::kEmpty;
    if (sjisName.size() > kMaxBaseNameBytes) return VLBaseNameProblem::kTooLong;
    if (sjisName == "." || sjisName == "..") return VLBaseNameProblem::kDotName;
    // A system on another code page reads the bytes one by one, so a
    // separator byte is refused even where Shift-JIS makes it a trail byte.
    if (sjisName.find_first_of("\\/") != std::string::npos) return VLBaseNameProblem::kSeparator;
    for (size_t i = 0; i < sjisName.size(); ++i) {
        const uint8_t byte = static_cast<uint8_t>(sjisName[i]);
        if (IsShiftJisLeadByte(byte)) {
            if (i + 1 == sjisName.size()) return VLBaseNameProblem::kInvalidShiftJis;
            ++i;
            continue;
        }
        if (byte < 0x20 || byte == 0x7F) return VLBaseNameProblem::kControlCharacter;
        if (byte == ':') return VLBaseNameProblem::kColon;
        if (std::strchr("<>\"|?*", static_cast<char>(byte)) != nullptr)
            return VLBaseNameProblem::kReservedCharacter;
    }
    if (IsReservedDevice(sjisName)) return VLBaseNameProblem::kReservedDevice;
    // The system drops trailing dots and blanks, so the name written would
    // not be the name checked. (No trail byte is a dot or a blank.)
    if (sjisName.back() == '.' || sjisName.back() == ' ') return VLBaseNameProblem::kTrailingDotOrBlank;
    return VLBaseNameProblem::kNone;
}

const char* DescribeBaseNameProblem(VLBaseNameProblem problem) {
    switch (problem) {
        case VLBaseNameProblem::kNone:
            return "a plain file name";
        case VLBaseNameProblem::kEmpty:
            return "is empty";
        case VLBaseNameProblem::kSeparator:
            return "contains a path separator";
        case VLBaseNameProblem::kDotName:
            return "is a folder reference (. or ..)";
        case VLBaseNameProblem::kColon:
            return "contains a colon (drive or stream name)";
        case VLBaseNameProblem::kReservedCharacter:
            return "contains a character file names cannot hold";
        case VLBaseNameProblem::kControlCharacter:
            return "contains a control character";
        case VLBaseNameProblem::kInvalidShiftJis:
            return "ends inside a double-byte character";
        case VLBaseNameProblem::kReservedDevice:
            return "is a reserved device name";
        case VLBaseNameProblem::kTrailingDotOrBlank:
            return "ends with a dot or a blank";
        case VLBaseNameProblem::kTooLong:
            return "is too long for a file name";
    }
    return "is not a plain file name";
}
