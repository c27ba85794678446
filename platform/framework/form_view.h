#pragma once

#include <windows.h>

#include "platform/framework/dialog.h"

class CDocument;
class CFrameWnd;

// A view made of a child dialog template that fills the frame's client area.
class CFormView : public CDialog {
public:
    explicit CFormView(UINT idTemplate) : CDialog(idTemplate) {}

    bool Create(CFrameWnd* frame, CDocument* document);
    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const { return m_pFrame; }

    // Run after the document is created or renewed.
    virtual void OnInitialUpdate() {}

protected:
    // Records the size (in pixels, for the one-pixel-per-unit mode) that the
    // view's content needs.
    void SetScrollSizes(int mapMode, SIZE total);
    // Resizes the frame so that this view's client area equals the total size;
    // with shrinkOnly, only on the axes where the client area is larger.
    void ResizeParentToFit(bool shrinkOnly = true);

    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    SIZE m_totalSize = {0, 0};

private:
    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
};
