#include <fontconfig/fontconfig.h>

#include <memory>

#include "platform/font_cache.h"

namespace {

struct VLConfigFree {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
using VLConfig = std::unique_ptr<FcConfig, VLConfigFree>;

const FcChar8* Bytes(const std::string& text) { return reinterpret_cast<const FcChar8*>(text.c_str()); }

std::string ParentOf(const std::string& folder) {
    const size_t cut = folder.find_last_of('/');
    if (cut == std::string::npos || cut == 0) return "/";
    return folder.substr(0, cut);
}

class VLFontconfigCache : public IVLFontCache {
public:
    bool Refresh(const std::string& folder) override {
        // The configuration says where caches live; the fonts themselves are
        // not needed to write one folder's cache.
        const VLConfig config(FcInitLoadConfig());
        if (!config) return false;
        bool refreshed = true;
        for (const std::string& dir : {ParentOf(folder), folder}) {
            // force: the folder's time stamp may not have moved within the second.
            FcCache* cache = FcDirCacheRead(Bytes(dir), FcTrue, config.get());
            if (cache == nullptr) {
                refreshed = false;
                continue;
            }
            FcDirCacheUnload(cache);
        }
        return refreshed;
    }

    std::vector<bool> ListsFaces(const std::vector<std::string>& files) override {
        std::vector<bool> listed(files.size(), false);
        // A fresh configuration with its fonts, as a program starting now loads it.
        const VLConfig config(FcInitLoadConfigAndFonts());
        if (!config) return listed;
        for (size_t i = 0; i < files.size(); ++i) {
            FcPattern* pattern = FcPatternCreate();
            FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_FAMILY, nullptr);
            if (pattern != nullptr && objects != nullptr &&
                FcPatternAddString(pattern, FC_FILE, Bytes(files[i]))) {
                if (FcFontSet* found = FcFontList(config.get(), pattern, objects)) {
                    listed[i] = found->nfont > 0;
                    FcFontSetDestroy(found);
                }
            }
            if (objects != nullptr) FcObjectSetDestroy(objects);
            if (pattern != nullptr) FcPatternDestroy(pattern);
        }
        return listed;
    }
};

}  // namespace

IVLFontCache* GetSystemFontCache() {
    static VLFontconfigCache cache;
    return &cache;
}
