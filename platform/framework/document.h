#pragma once

#include <string>

#include "platform/framework/cmd_target.h"

class CFrameWnd;

// A document of the single-document shell: a title, a path and the framework's
// new/open/save steps around Serialize.
class CDocument : public CCmdTarget {
public:
    const std::string& GetTitle() const { return m_strTitle; }
    // Also updates the caption of the frame showing the document.
    void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    // Remembers the path and makes its file name the title.
    void SetPathName(const std::string& path);

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* path);
    virtual BOOL OnSaveDocument(const char* path);
    // Reads (storing false) or writes (storing true) the document's data.
    virtual void Serialize(bool storing) { (void)storing; }

    // Save (57603): asks for a file name when the document has none.
    bool OnCmdMsg(UINT id) override;
    bool OnUpdateCmdUI(UINT id, bool& enabled) override;

    CFrameWnd* m_pFrame = nullptr;

private:
    std::string m_strTitle;
    std::string m_strPathName;
};
