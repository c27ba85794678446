#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The font a dialog template names (DS_SETFONT), in either template form.
struct VLTemplateFont {
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring face;
};

// Reads the font of a template; false when it names none.
bool ReadTemplateFont(const void* dialogTemplate, VLTemplateFont& font);

// Rewrites the template's font in place, moving its items to their new place.
// Only a face that is not longer than the present one is taken (the template
// cannot grow); false otherwise, and then nothing changes.
bool ReplaceTemplateFont(void* dialogTemplate, const VLTemplateFont& font);

// The font of dialog resource id of the program's own module.
bool ReadDialogResourceFont(UINT id, VLTemplateFont& font);
