// Rewriting a dialog template's font in place: the sheet takes over its pages'
// font this way, and the items after the font must survive the move intact.
#include "platform/framework/dialog_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Builds a template of either form in memory, the way resource compilers lay it out.
class TemplateBuilder {
public:
    TemplateBuilder(bool extended, DWORD style) : m_extended(extended) {
        if (extended) {
            Word(1);
            Word(0xFFFF);
            Dword(0);  // help id
            Dword(0);  // extended style
            Dword(style);
        } else {
            Dword(style);
            Dword(0);
        }
        m_countOffset = m_bytes.size();
        Word(0);
        for (int i = 0; i < 4; ++i) Word(static_cast<WORD>(10 * i));
        Word(0);  // no menu
        Word(0);  // default class
        String(L"Title");
    }

    void Font(WORD points, const std::wstring& face) {
        Word(points);
        if (m_extended) {
            Word(FW_NORMAL);
            m_bytes.push_back(0);
            m_bytes.push_back(SHIFTJIS_CHARSET);
        }
        String(face);
    }

    void Item(WORD id, const std::wstring& text) {
        Align();
        if (m_extended) {
            Dword(0);
            Dword(0);
            Dword(WS_CHILD | WS_VISIBLE);
        } else {
            Dword(WS_CHILD | WS_VISIBLE);
            Dword(0);
        }
        for (int i = 0; i < 4; ++i) Word(static_cast<WORD>(i + id));
        if (m_extended)
            Dword(id);
        else
            Word(id);
        Word(0xFFFF);
        Word(0x0082);  // static
        String(text);
        Word(0);  // no creation data
        WORD count;
        std::memcpy(&count, &m_bytes[m_countOffset], 2);
        ++count;
        std::memcpy(&m_bytes[m_countOffset], &count, 2);
    }

    std::vector<BYTE> Bytes() const {
        // Room to spare, as the system's copy of a template has.
        std::vector<BYTE> bytes = m_bytes;
        bytes.resize(bytes.size() + 64, 0xCC);
        return bytes;
    }
    size_t Size() const { return m_bytes.size(); }

private:
    void Word(WORD w) {
        m_bytes.insert(m_bytes.end(), reinterpret_cast<BYTE*>(&w), reinterpret_cast<BYTE*>(&w) + 2);
    }
    void Dword(DWORD d) {
        m_bytes.insert(m_bytes.end(), reinterpret_cast<BYTE*>(&d), reinterpret_cast<BYTE*>(&d) + 4);
    }
    void String(const std::wstring& s) {
        for (wchar_t c : s) Word(static_cast<WORD>(c));
        Word(0);
    }
    void Align() {
        while (m_bytes.size() % 4 != 0) m_bytes.push_back(0);
    }

    bool m_extended;
    size_t m_countOffset = 0;
    std::vector<BYTE> m_bytes;
};

// The item texts of a template, read with the system's own layout rules.
std::vector<std::wstring> ItemTexts(const std::vector<BYTE>& bytes, bool extended, size_t itemsOffset,
                                    int count) {
    std::vector<std::wstring> texts;
    size_t offset = itemsOffset;
    for (int i = 0; i < count; ++i) {
        offset = (offset + 3) & ~static_cast<size_t>(3);
        offset += extended ? 24 : 18;
        offset += 4;  // class ordinal
        std::wstring text;
        for (;; offset += 2) {
            WORD c;
            std::memcpy(&c, &bytes[offset], 2);
            if (c == 0) break;
            text.push_back(static_cast<wchar_t>(c));
        }
        offset += 2 + 2;
        texts.push_back(text);
    }
    return texts;
}

size_t ItemsOffsetAfterFace(const std::vector<BYTE>& bytes, const std::wstring& face) {
    // The face is the last string before the items; find it and align after its NUL.
    std::vector<BYTE> pattern;
    for (wchar_t c : face) {
        pattern.push_back(static_cast<BYTE>(c & 0xFF));
        pattern.push_back(static_cast<BYTE>(c >> 8));
    }
    pattern.push_back(0);
    pattern.push_back(0);
    auto at = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
    return (static_cast<size_t>(at - bytes.begin()) + pattern.size() + 3) & ~static_cast<size_t>(3);
}

TEST(DialogTemplateFont, ReplacedFontLeavesTheItemsIntact) {
    const std::wstring pageFace = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";  // "ＭＳ Ｐゴシック"
    struct Case {
        const char* name;
        bool extended;
        std::wstring oldFace;
        std::wstring newFace;
        bool replaced;
    };
    const Case cases[] = {
        {"extended, shorter face", true, L"MS Shell Dlg", pageFace, true},
        {"plain, shorter face", false, L"MS Shell Dlg", pageFace, true},
        {"extended, same length", true, L"ABCDEFG", L"abcdefg", true},
        {"extended, one character less", true, L"ABCDEFGH", L"abcdefg", true},
        {"extended, longer face refused", true, L"Tahoma", pageFace + L"XYZ", false},
    };
    for (const Case& c : cases) {
        TemplateBuilder builder(c.extended, DS_SETFONT | WS_POPUP | WS_CAPTION);
        builder.Font(8, c.oldFace);
        builder.Item(100, L"first");
        builder.Item(101, L"second item");
        builder.Item(102, L"3");
        std::vector<BYTE> bytes = builder.Bytes();

        VLTemplateFont font;
        font.pointSize = 9;
        font.weight = FW_NORMAL;
        font.charset = SHIFTJIS_CHARSET;
        font.face = c.newFace;
        EXPECT_EQ(ReplaceTemplateFont(bytes.data(), font), c.replaced) << c.name;

        VLTemplateFont read;
        ASSERT_TRUE(ReadTemplateFont(bytes.data(), read)) << c.name;
        EXPECT_EQ(read.face, c.replaced ? c.newFace : c.oldFace) << c.name;
        EXPECT_EQ(read.pointSize, c.replaced ? 9 : 8) << c.name;
        const size_t items = ItemsOffsetAfterFace(bytes, read.face);
        EXPECT_EQ(ItemTexts(bytes, c.extended, items, 3),
                  (std::vector<std::wstring>{L"first", L"second item", L"3"}))
            << c.name;
    }
}

TEST(DialogTemplateFont, TemplateWithoutFontIsLeftAlone) {
    TemplateBuilder builder(true, WS_POPUP);
    builder.Item(100, L"only");
    std::vector<BYTE> bytes = builder.Bytes();
    const std::vector<BYTE> before = bytes;
    VLTemplateFont font;
    font.face = L"X";
    EXPECT_FALSE(ReadTemplateFont(bytes.data(), font));
    EXPECT_FALSE(ReplaceTemplateFont(bytes.data(), font));
    EXPECT_EQ(bytes, before);
}

}  // namespace
