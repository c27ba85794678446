#include "platform/framework/dialog_template.h"

#include <cstring>

namespace {

// Where the parts of a template begin, as byte offsets from its start.
struct TemplateLayout {
    bool extended = false;
    size_t styleOffset = 0;
    size_t fontOffset = 0;  // the point size
    size_t faceOffset = 0;
    size_t itemsOffset = 0;
    size_t endOffset = 0;
    WORD itemCount = 0;
    DWORD style = 0;
};

WORD ReadWord(const BYTE* base, size_t offset) {
    WORD value;
    std::memcpy(&value, base + offset, sizeof(value));
    return value;
}

DWORD ReadDword(const BYTE* base, size_t offset) {
    DWORD value;
    std::memcpy(&value, base + offset, sizeof(value));
    return value;
}

size_t AlignDword(size_t offset) { return (offset + 3) & ~static_cast<size_t>(3); }

size_t SkipString(const BYTE* base, size_t offset) {
    while (ReadWord(base, offset) != 0) offset += 2;
    return offset + 2;
}

// Skips a name-or-ordinal field: 0 (none), 0xFFFF + ordinal, or a NUL-terminated string.
size_t SkipNameOrOrdinal(const BYTE* base, size_t offset) {
    WORD first = ReadWord(base, offset);
    if (first == 0) return offset + 2;
    if (first == 0xFFFF) return offset + 4;
    return SkipString(base, offset);
}

TemplateLayout Analyse(const BYTE* base) {
    TemplateLayout layout;
    layout.extended = ReadWord(base, 0) == 1 && ReadWord(base, 2) == 0xFFFF;
    size_t offset;
    if (layout.extended) {
        layout.styleOffset = 12;
        layout.itemCount = ReadWord(base, 16);
        offset = 26;
    } else {
        layout.styleOffset = 0;
        layout.itemCount = ReadWord(base, 8);
        offset = 18;
    }
    layout.style = ReadDword(base, layout.styleOffset);
    offset = SkipNameOrOrdinal(base, offset);  // menu
    offset = SkipNameOrOrdinal(base, offset);  // class
    offset = SkipString(base, offset);         // title
    if (layout.style & DS_SETFONT) {
        layout.fontOffset = offset;
        layout.faceOffset = offset + (layout.extended ? 6 : 2);
        offset = SkipString(base, layout.faceOffset);
    }
    layout.itemsOffset = AlignDword(offset);
    offset = layout.itemsOffset;
    for (WORD i = 0; i < layout.itemCount; ++i) {
        offset = AlignDword(offset);
        offset += layout.extended ? 24 : 18;
        offset = SkipNameOrOrdinal(base, offset);  // class
        offset = SkipNameOrOrdinal(base, offset);  // title
        WORD extra = ReadWord(base, offset);
        offset += 2 + extra;
    }
    layout.endOffset = offset;
    return layout;
}

}  // namespace

bool ReadTemplateFont(const void* dialogTemplate, VLTemplateFont& font) {
    const BYTE* base = static_cast<const BYTE*>(dialogTemplate);
    TemplateLayout layout = Analyse(base);
    if ((layout.style & DS_SETFONT) == 0) return false;
    font.pointSize = ReadWord(base, layout.fontOffset);
    if (layout.extended) {
        font.weight = ReadWord(base, layout.fontOffset + 2);
        font.italic = base[layout.fontOffset + 4];
        font.charset = base[layout.fontOffset + 5];
    }
    font.face.clear();
    for (size_t offset = layout.faceOffset; ReadWord(base, offset) != 0; offset += 2)
        font.face.push_back(static_cast<wchar_t>(ReadWord(base, offset)));
    return true;
}

bool ReplaceTemplateFont(void* dialogTemplate, const VLTemplateFont& font) {
    BYTE* base = static_cast<BYTE*>(dialogTemplate);
    TemplateLayout layout = Analyse(base);
    if ((layout.style & DS_SETFONT) == 0) return false;
    const size_t oldFaceBytes = layout.itemsOffset - layout.faceOffset;
    const size_t newFaceEnd = layout.faceOffset + (font.face.size() + 1) * 2;
    const size_t newItemsOffset = AlignDword(newFaceEnd);
    if (newItemsOffset - layout.faceOffset > oldFaceBytes) return false;

    // Items keep their alignment: both starts are on a DWORD boundary.
    std::memmove(base + newItemsOffset, base + layout.itemsOffset, layout.endOffset - layout.itemsOffset);
    std::memcpy(base + layout.fontOffset, &font.pointSize, sizeof(WORD));
    if (layout.extended) {
        std::memcpy(base + layout.fontOffset + 2, &font.weight, sizeof(WORD));
        base[layout.fontOffset + 4] = font.italic;
        base[layout.fontOffset + 5] = font.charset;
    }
    for (size_t i = 0; i < font.face.size(); ++i) {
        WORD ch = static_cast<WORD>(font.face[i]);
        std::memcpy(base + layout.faceOffset + i * 2, &ch, sizeof(ch));
    }
    std::memset(base + newFaceEnd - 2, 0, newItemsOffset - newFaceEnd + 2);
    return true;
}

bool ReadDialogResourceFont(UINT id, VLTemplateFont& font) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (resource == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    return bytes != nullptr && ReadTemplateFont(bytes, font);
}
