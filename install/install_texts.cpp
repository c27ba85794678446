#include "install/install_texts.h"

const char* EngineText(uint32_t id) {
    switch (id) {
    case kIdsNoFontChosen:
        return kTextNoFontChosen;
    case kIdsNeedsAdministrator:
        return kTextNeedsAdministrator;
    case kIdsFontsFailed:
        return kTextFontsFailed;
    case kIdsAllInstalled:
        return kTextAllInstalled;
    case kIdsFontAlreadyPresent:
        return kTextFontAlreadyPresent;
    default:
        return "";
    }
}
