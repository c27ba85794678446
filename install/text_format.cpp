#include "install/text_format.h"

#include "platform/shift_jis.h"

std::string ReplacePlaceholder(const std::string& text, const std::string& placeholder,
                               const std::string& value) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsShiftJisLeadByte(static_cast<uint8_t>(text[i]))) {
            ++i;
        } else if (text.compare(i, placeholder.size(), placeholder) == 0) {
            return text.substr(0, i) + value + text.substr(i + placeholder.size());
        }
    }
    return text;
}
