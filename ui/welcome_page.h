#pragma once

#include "platform/framework/property_page.h"
#include "resources/resource.h"

// Page 0: the welcome text; Next goes on.
class VLSplashPage : public CPropertyPage {
public:
    VLSplashPage() : CPropertyPage(IDD_SPLASH_PAGE) {}
};
