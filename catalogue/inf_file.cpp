#include "catalogue/inf_file.h"

#include "catalogue/token_reader.h"

namespace {

// A NUL byte ends a line's content; what follows it on that line is ignored.
std::string ContentBeforeNul(const std::string& buffer) { return buffer.substr(0, buffer.find('\0')); }

}  // namespace

bool VLInfFile::Parse(uint8_t* bytes, size_t size) {
    Descramble(bytes, size);

    std::string line;
    bool inComment = false;
    // The quote state belongs to the whole file: line ends do not reset it, and
    // quotes inside comments toggle it too.
    bool inQuotes = false;
    auto endLine = [&]() {
        const std::string content = ContentBeforeNul(line);
        line.clear();
        inComment = false;
        return content.empty() || ParseLine(content);
    };

    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = bytes[i];
        if (b == '\r' || b == '\n') {
            if (!endLine()) return false;
        } else if (IsShiftJisLeadByte(b) && i + 1 < size) {
            // The trail byte is never examined: it may look like '#', '"' or '\'.
            if (!inComment) {
                line.push_back(static_cast<char>(b));
                line.push_back(static_cast<char>(bytes[i + 1]));
            }
            ++i;
        } else if (b == '#') {
            if (inQuotes) return false;
            inComment = true;
        } else {
            if (b == '"') inQuotes = !inQuotes;
            if (!inComment) line.push_back(static_cast<char>(b));
        }
    }
    return endLine();
}
