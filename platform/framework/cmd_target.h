#pragma once

#include <windows.h>

// Something a menu or accelerator command can be routed to.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Carries out command id; false when this target has no handler for it.
    virtual bool OnCmdMsg(UINT id) {
        (void)id;
        return false;
    }
    // Sets enabled for command id; false when this target has no handler for it
    // (a command nobody handles is shown disabled).
    virtual bool OnUpdateCmdUI(UINT id, bool& enabled) {
        (void)id;
        (void)enabled;
        return false;
    }
};
