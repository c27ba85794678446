#pragma once

#include "platform/framework/document.h"

// The document: it holds no data and only gives the main window its title.
class COTFInstWinDoc : public CDocument {
public:
    void Serialize(bool storing) override { (void)storing; }
};
