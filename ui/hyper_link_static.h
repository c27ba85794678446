#pragma once

#include <string>

#include "platform/framework/controls.h"
#include "platform/win32_handles.h"

// A static text shown as a link: underlined, blue on the button-face colour;
// a click opens its address with the shell.
class CHyperLinkStatic : public CStatic {
public:
    CHyperLinkStatic();
    void SetURL(const std::string& url) { m_strURL = url; }
    const std::string& GetURL() const { return m_strURL; }

    // The parent's colour request and click notification, reflected here.
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HBRUSH OnCtlColor(HDC dc, UINT controlKind);

    CFont m_font;
    CBrush m_brush;
    std::string m_strURL;
};
