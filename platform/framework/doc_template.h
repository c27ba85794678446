#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/framework/document.h"
#include "platform/framework/form_view.h"
#include "platform/framework/frame_wnd.h"

// The single-document template: one document, one frame, one view, made on the
// first new or opened document and reused for every later one.
class CSingleDocTemplate {
public:
    using DocumentFactory = CDocument* (*)();
    using FrameFactory = CFrameWnd* (*)();
    using ViewFactory = CFormView* (*)();

    CSingleDocTemplate(UINT idResource, DocumentFactory document, FrameFactory frame, ViewFactory view);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // path null: a new, empty document. The view's initial update runs each time.
    CDocument* OpenDocumentFile(const char* path);
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }

private:
    bool CreateShell();

    UINT m_nIDResource;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    // The document name: the second line of the template's string.
    std::string m_strDocName;
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
    std::unique_ptr<CFormView> m_pView;
};
