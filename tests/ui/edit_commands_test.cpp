// The enable rules of the clipboard commands, on real controls of this thread.
#include "ui/edit_commands.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class EditCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
        m_edit = Child("Edit", ES_AUTOHSCROLL);
        m_readOnly = Child("EDIT", ES_READONLY);
        m_button = Child("Button", BS_PUSHBUTTON);
        m_list = Child("ListBox", 0);
        m_richLike = Child("EditPlus", 0);
        SetWindowTextA(m_edit, "C:\\windows\\Fonts");
        SetWindowTextA(m_readOnly, "read only");
    }
    void TearDown() override { DestroyWindow(m_parent); }

    HWND Child(const char* className, DWORD style) {
        WNDCLASSA known;
        if (!GetClassInfoA(nullptr, className, &known)) {
            // A class whose name only starts with "Edit".
            WNDCLASSA wc = {};
            wc.lpfnWndProc = DefWindowProcA;
            wc.lpszClassName = className;
            RegisterClassA(&wc);
        }
        return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 20, m_parent,
                               nullptr, nullptr, nullptr);
    }

    static void SetClipboardText(bool withText) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        if (withText) {
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 5);
            std::memcpy(GlobalLock(memory), "clip", 5);
            GlobalUnlock(memory);
            SetClipboardData(CF_TEXT, memory);
        }
        CloseClipboard();
    }

    HWND m_parent = nullptr;
    HWND m_edit = nullptr;
    HWND m_readOnly = nullptr;
    HWND m_button = nullptr;
    HWND m_list = nullptr;
    HWND m_richLike = nullptr;
};

TEST_F(EditCommandsTest, EnableStatesFollowFocusSelectionAndClipboard) {
    struct Case {
        const char* name;
        HWND control;
        int selStart, selEnd;  // -1: the control has no selection
        bool clipboardText;
        bool copyCut, paste;
    };
    const Case cases[] = {
        {"edit with selection", m_edit, 0, 3, true, true, true},
        {"edit with empty selection", m_edit, 4, 4, true, false, true},
        {"edit, no text on clipboard", m_edit, 0, 3, false, true, false},
        {"read-only edit", m_readOnly, 0, 4, true, true, true},
        {"button", m_button, -1, -1, true, false, false},
        {"list box", m_list, -1, -1, true, false, false},
        {"class name longer than Edit", m_richLike, -1, -1, true, false, false},
        {"no window", nullptr, -1, -1, true, false, false},
    };
    for (const Case& c : cases) {
        SetClipboardText(c.clipboardText);
        HWND control = c.control;
        if (c.selStart >= 0) SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(c.selStart), c.selEnd);
        EXPECT_EQ(CanCopyOrCut(control), c.copyCut) << c.name;
        EXPECT_EQ(CanPaste(control), c.paste) << c.name;
    }
}

TEST_F(EditCommandsTest, FocusedEditIsFoundOnlyForEditControls) {
    SetFocus(m_edit);
    EXPECT_EQ(GetFocusedEdit(), m_edit);
    SetFocus(m_button);
    EXPECT_EQ(GetFocusedEdit(), nullptr);
}

}  // namespace
