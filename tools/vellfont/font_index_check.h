#pragma once

#include <ostream>
#include <string>

#include "install/font_life_job.h"
#include "platform/file_system.h"
#include "platform/font_cache.h"

// Natively, a scope's font folder is what programs find through fontconfig.

// After install: rewrites fontconfig's cache for the folder and asks it for
// every font now in place. One it does not list has failed (a file this run
// wrote is removed again); each such font gets a line on log.
void CheckInstalledFontsListed(IVLFontCache& cache, IVLFileSystem& files, const std::string& folder,
                               VLLifeResult& result, std::ostream& log);

// After uninstall: rewrites the folder's cache, so that the removed fonts are
// no longer listed.
void RefreshFontIndex(IVLFontCache& cache, IVLFileSystem& files, const std::string& folder,
                      std::ostream& log);
