// The main window's clipboard commands act on the installer's focused edit
// control. (Their enable rules are tested in-process in edit_commands_test:
// another process cannot read the menu's states under Wine.)
#include <gtest/gtest.h>

#include "platform/framework/command_ids.h"
#include "resources/resource.h"
#include "tests/ui/installer_test_fixture.h"

namespace {

// Gives the keyboard focus to a control of the installer's UI thread.
void FocusControl(HWND control) {
    DWORD thread = GetWindowThreadProcessId(control, nullptr);
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    SetFocus(control);
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
}

void ClearClipboard() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

TEST_F(InstallerTest, CopyTakesTheSelectionAndPasteLeavesReadOnlyBoxesAlone) {
    StartInstaller();
    GoToSelection();
    HWND destination = m_installer.PageItem(IDC_DEST_DIR);
    const std::string before = WindowText(destination);

    FocusControl(destination);
    SendMessageA(destination, EM_SETSEL, 0, 2);
    ClearClipboard();
    SendMessageA(m_installer.MainWindow(), WM_COMMAND, ID_EDIT_COPY, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string copied = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : "";
    if (data != nullptr) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, "C:");

    SendMessageA(m_installer.MainWindow(), WM_COMMAND, ID_EDIT_PASTE, 0);
    SendMessageA(m_installer.MainWindow(), WM_COMMAND, ID_EDIT_CUT, 0);
    EXPECT_EQ(WindowText(destination), before);
}

}  // namespace
