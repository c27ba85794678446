#include "platform/font_cache.h"

// Windows keeps no font index apart from its registration.
IVLFontCache* GetSystemFontCache() { return nullptr; }
