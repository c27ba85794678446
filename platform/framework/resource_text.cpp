#include "platform/framework/resource_text.h"

std::string LoadResString(UINT id) {
    // LoadStringA gives no length up front: grow until the text fits with room to spare.
    std::string text(256, '\0');
    for (;;) {
        int length = LoadStringA(GetModuleHandleA(nullptr), id, &text[0], static_cast<int>(text.size()));
        if (length <= 0) return std::string();
        if (static_cast<size_t>(length) < text.size() - 1) {
            text.resize(static_cast<size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}
