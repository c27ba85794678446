#include "platform/framework/doc_template.h"

#include "platform/framework/resource_text.h"
#include "platform/framework/string_ids.h"

namespace {

// The template string's lines are window title, document name, and more that
// nothing here reads.
std::string SecondLine(const std::string& text) {
    const size_t start = text.find('\n');
    if (start == std::string::npos) return std::string();
    const size_t end = text.find('\n', start + 1);
    return text.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
}

}  // namespace

CSingleDocTemplate::CSingleDocTemplate(UINT idResource, DocumentFactory document, FrameFactory frame,
                                       ViewFactory view)
    : m_nIDResource(idResource),
      m_makeDocument(document),
      m_makeFrame(frame),
      m_makeView(view),
      m_strDocName(SecondLine(LoadResString(idResource))) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    // The view's window is a child of the frame's; both go with the frame.
    if (m_pFrame && m_pFrame->m_hWnd != nullptr) DestroyWindow(m_pFrame->m_hWnd);
    m_pView.reset();
    m_pFrame.reset();
    m_pDocument.reset();
}

bool CSingleDocTemplate::CreateShell() {
    m_pDocument.reset(m_makeDocument());
    m_pFrame.reset(m_makeFrame());
    m_pView.reset(m_makeView());
    m_pDocument->m_pFrame = m_pFrame.get();
    if (!m_pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) return false;
    return m_pView->Create(m_pFrame.get(), m_pDocument.get());
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path) {
    const bool first = !m_pFrame;
    if (first && !CreateShell()) return nullptr;
    if (path == nullptr) {
        if (!m_pDocument->OnNewDocument()) return nullptr;
        m_pDocument->SetTitle(m_strDocName.empty() ? LoadResString(IDS_UNTITLED) : m_strDocName);
    } else {
        if (!m_pDocument->OnOpenDocument(path)) return nullptr;
        m_pDocument->SetPathName(path);
    }
    m_pView->OnInitialUpdate();
    return m_pDocument.get();
}
