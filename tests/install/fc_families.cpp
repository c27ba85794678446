// Prints, one per line, every family name fontconfig lists for the fonts in a
// folder, through a fresh configuration as a program starting now loads it.
// Usage: fc_families FOLDER
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fc_families FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return 1;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(config, pattern, objects);
    std::set<std::string> families;
    for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
        if (std::strncmp(reinterpret_cast<const char*>(file), folder.c_str(), folder.size()) != 0) continue;
        FcChar8* family = nullptr;
        for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
            families.insert(reinterpret_cast<const char*>(family));
    }
    for (const std::string& family : families) std::printf("%s\n", family.c_str());
    if (fonts != nullptr) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return 0;
}
