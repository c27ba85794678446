#include "catalogue/inf_file.h"

#include <utility>

#include "catalogue/token_reader.h"

namespace {

// A NUL byte ends a line's content; what follows it on that line is ignored.
std::string ContentBeforeNul(const std::string& buffer) { return buffer.substr(0, buffer.find('\0')); }

}  // namespace

bool VLInfFile::Reject(std::string reason) const {
    m_problem.reason = std::move(reason);
    m_problem.line = m_currentLine;
    return false;
}

bool VLInfFile::Parse(uint8_t* bytes, size_t size) {
    Descramble(bytes, size);

    std::string line;
    bool inComment = false;
    // The quote state belongs to the whole file: line ends do not reset it, and
    // quotes inside comments toggle it too.
    bool inQuotes = false;
    int quoteLine = 0;
    // Problems name physical lines, as an editor shows the descrambled text. A
    // CR or LF taken as a trail byte ends one too, though the parsed line runs
    // on: that line is named by where it began.
    int physicalLine = 1;
    auto passLineEnd = [&](size_t i) {
        if (bytes[i] == '\r' || (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))) ++physicalLine;
    };
    auto endLine = [&]() {
        const std::string content = ContentBeforeNul(line);
        line.clear();
        inComment = false;
        return content.empty() || ParseLine(content);
    };

    m_currentLine = 1;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = bytes[i];
        if (b == '\r' || b == '\n') {
            if (!endLine()) return false;
            passLineEnd(i);
            m_currentLine = physicalLine;
        } else if (IsShiftJisLeadByte(b) && i + 1 < size) {
            // The trail byte is never examined: it may look like '#', '"' or '\'.
            if (!inComment) {
                line.push_back(static_cast<char>(b));
                line.push_back(static_cast<char>(bytes[i + 1]));
            }
            ++i;
            passLineEnd(i);
        } else if (b == '#') {
            if (inQuotes) {
                m_currentLine = physicalLine;
                return Reject("'#' inside a quoted text (the quote opened on line " +
                              std::to_string(quoteLine) + ")");
            }
            inComment = true;
        } else {
            if (b == '"') {
                inQuotes = !inQuotes;
                quoteLine = physicalLine;
            }
            if (!inComment) line.push_back(static_cast<char>(b));
        }
    }
    if (!endLine()) return false;
    m_currentLine = 0;
    return true;
}
