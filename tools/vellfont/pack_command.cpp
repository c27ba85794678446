// pack: builds a FONTDATA folder (otf.inf and one .cmp per font) from a manifest.
#include "tools/vellfont/pack_command.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <vector>

#include "catalogue/inf_loader.h"
#include "catalogue/inf_scrambling.h"
#include "codec/cmp_encoder.h"
#include "codec/sfnt_check.h"
#include "tools/vellfont/console.h"
#include "tools/vellfont/font_files.h"
#include "tools/vellfont/manifest.h"

namespace {

bool IsAbsolute(const std::string& path) {
    if (path.empty()) return false;
    if (path[0] == '/' || path[0] == '\\') return true;
    return path.size() > 1 && path[1] == ':';
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string SourcePath(const std::string& manifestPath, const std::string& source) {
    return IsAbsolute(source) ? source : FolderOf(manifestPath) + source;
}

// Reads the scrambled otf.inf back with the installer's own loader and checks
// that every value comes out as the manifest gave it.
void CheckReadsBack(const VLManifest& manifest, const std::string& stored) {
    std::vector<uint8_t> bytes(stored.begin(), stored.end());
    VLInfProblem problem;
    const std::unique_ptr<VLInfFile> catalogue = LoadInfBytes(bytes.data(), bytes.size(), &problem);
    if (!catalogue) {
        Fail(1, "the settings file built from the manifest does not load (" +
                    Display(DescribeInfProblem(problem)) + "); nothing written");
    }
    auto mismatch = [](int line, const std::string& what) {
        Fail(1, "line " + std::to_string(line) + ": " + what +
                    " does not read back from otf.inf as written; nothing written");
    };
    if (catalogue->GetPackageCount() != static_cast<int>(manifest.packages.size()))
        mismatch(0, "the package count");
    for (size_t p = 0; p < manifest.packages.size(); ++p) {
        const VLManifestPackage& want = manifest.packages[p];
        const VLPackageInfo& got = catalogue->GetPackage(static_cast<int>(p));
        if (!manifest.csvFormat) {
            if (got.m_packageName != ToShiftJis(want.name, want.line, "name")) mismatch(want.line, "name");
            if (got.m_productType != ToShiftJis(want.productType, want.line, "product-type"))
                mismatch(want.line, "product-type");
            if (!want.id.empty() && got.m_packageId != std::stoul(want.id)) mismatch(want.line, "id");
        }
        const std::string fontType =
            want.fontType.empty() ? "OTF" : ToShiftJis(want.fontType, want.line, "font-type");
        if (got.m_fontType != fontType) mismatch(want.line, "font-type");
        if (got.m_fonts.size() != want.fonts.size()) mismatch(want.line, "the font count");
        for (size_t f = 0; f < want.fonts.size(); ++f) {
            const VLManifestFont& w = want.fonts[f];
            const VLFontInfo& g = got.m_fonts[f];
            if (g.m_baseName != ToShiftJis(w.baseName, w.line, "base-name") ||
                g.m_fileNumber != static_cast<int32_t>(std::stoul(w.fileNumber)) ||
                g.m_versionText != ToShiftJis(w.version, w.line, "version") ||
                g.m_extra != ToShiftJis(w.extra, w.line, "extra") ||
                g.m_familyName != ToShiftJis(w.family, w.line, "family") ||
                g.m_styleName != ToShiftJis(w.style, w.line, "style") || g.m_isAllFonts != w.allFonts) {
                mismatch(w.line, "the font entry");
            }
        }
    }
}

void Pack(const std::string& manifestPath, const std::string& outDir) {
    VLManifest manifest;
    std::string stored;
    try {
        manifest = ParseManifest(ReadFileOrFail(manifestPath, 1));
        stored = ScrambleInfText(BuildInfText(manifest));
    } catch (const VLManifestError& e) {
        Fail(1, manifestPath + ": " + e.what());
    }
    CheckReadsBack(manifest, stored);

    // One .cmp per base name: two entries may share one only when they are the same font.
    std::map<std::string, const VLManifestFont*> byBaseName;
    std::vector<const VLManifestFont*> toPack;
    for (const VLManifestPackage& package : manifest.packages) {
        for (const VLManifestFont& font : package.fonts) {
            auto [it, added] = byBaseName.emplace(font.baseName, &font);
            if (added) {
                toPack.push_back(&font);
            } else if (it->second->source != font.source || it->second->fileNumber != font.fileNumber) {
                Fail(1, manifestPath + ": line " + std::to_string(font.line) + ": base-name " +
                            font.baseName + " is used for another source or file-number");
            }
        }
    }

    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (!IsDirectory(outDir)) Fail(1, outDir + ": cannot create the folder");

    for (const VLManifestFont* font : toPack) {
        const std::string source = SourcePath(manifestPath, font->source);
        const std::string bytes = ReadFileOrFail(source, 1);
        const auto packed = PackFont(static_cast<int32_t>(std::stoul(font->fileNumber)),
                                     reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        if (!packed) Fail(1, source + ": too large to pack");
        std::string problem;
        switch (CheckSfntTables(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), problem)) {
            case VLSfntCheck::kBroken:
                std::cerr << "vellfont: warning: " << source << ": " << problem
                          << "; the installer will refuse this font\n";
                break;
            case VLSfntCheck::kChecksumMismatch:
                std::cerr << "vellfont: warning: " << source << ": " << problem
                          << "; verify will report this font, install will warn about it\n";
                break;
            case VLSfntCheck::kSound:
            case VLSfntCheck::kNotSfnt:
                break;
        }
        const std::string cmpName =
            CatalogueFileName(ToShiftJis(font->baseName, font->line, "base-name")) + ".cmp";
        std::string error;
        if (!WriteWholeFile(JoinPath(outDir, cmpName), packed->data(), packed->size(), error)) Fail(1, error);
        std::cout << "packed  " << cmpName << ": " << bytes.size() << " -> " << packed->size() << " bytes\n";
    }
    std::string error;
    if (!WriteWholeFile(JoinPath(outDir, "otf.inf"), reinterpret_cast<const uint8_t*>(stored.data()),
                        stored.size(), error)) {
        Fail(1, error);
    }
    std::cout << "wrote   otf.inf (" << (manifest.csvFormat ? "comma" : "keyword") << " format)\n";
}

}  // namespace

void AddPackCommand(CLI::App& app) {
    auto* pack =
        app.add_subcommand("pack", "Build a FONTDATA folder (otf.inf and .cmp files) from a manifest");
    static std::string manifestPath;
    static std::string outDir;
    pack->add_option("MANIFEST", manifestPath, "UTF-8 manifest (see the README)")->required();
    pack->add_option("OUTDIR", outDir, "FONTDATA folder to write (created when missing)")->required();
    pack->callback([] { Pack(manifestPath, outDir); });
}
