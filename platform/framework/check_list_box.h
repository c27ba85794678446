#pragma once

#include <windows.h>

#include "platform/framework/wnd.h"

// An owner-drawn list box (fixed item height, with strings) in which every
// entry carries a two-state check box, kept in the entry's item data. The box
// toggles on a click inside it and on the space bar for the entry with the caret.
class CCheckListBox : public CWnd {
public:
    int GetCount() const;
    // 0 unchecked, 1 checked; 0 for an index without an entry.
    int GetCheck(int index) const;
    void SetCheck(int index, int check);
    // Inserts at the position without sorting; the new entry's index, or LB_ERR.
    int InsertString(int index, const char* text);
    int DeleteString(int index);
    // Sets the list's font and an item height that fits both the font and the box.
    void SetListFont(HFONT font);

    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int CheckBoxSize() const;
    void Toggle(int index);
    void DrawItem(const DRAWITEMSTRUCT& item);
};
