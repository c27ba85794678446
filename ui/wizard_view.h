#pragma once

#include "platform/framework/form_view.h"

// The form view that hosts the wizard and fits the main window around it.
class COTFInstWinView : public CFormView {
public:
    COTFInstWinView();
    void OnInitialUpdate() override;
};
