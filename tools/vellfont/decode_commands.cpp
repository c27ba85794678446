// decode, verify and extract: reading fonts back out of .cmp files.
#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <set>

#include "catalogue/base_name_check.h"
#include "catalogue/inf_loader.h"
#include "tools/vellfont/commands.h"
#include "tools/vellfont/console.h"
#include "tools/vellfont/font_files.h"
#include "tools/vellfont/pack_command.h"

namespace {

void DecodeOne(const std::string& cmpPath, int32_t number, const std::string& outPath) {
    if (PathExists(outPath)) Fail(1, outPath + ": exists and is not overwritten");
    VLByteBuffer font;
    std::string error;
    if (!DecodeFontFile(cmpPath, number, font, error)) Fail(1, cmpPath + ": " + error + "; nothing written");
    if (!WriteWholeFile(outPath, font.data.get(), font.size, error)) Fail(1, error);
    std::cout << "decoded " << cmpPath << " -> " << outPath << " (" << font.size << " bytes)\n";
}

std::unique_ptr<VLInfFile> LoadCatalogueOrFail(const std::string& fontDataDir) {
    const std::string infPath = JoinPath(fontDataDir, "otf.inf");
    VLInfProblem problem;
    std::unique_ptr<VLInfFile> catalogue = LoadInfFile(infPath, &problem);
    if (!catalogue) {
        Fail(1, infPath + ": not a usable settings file: " + Display(DescribeInfProblem(problem)));
    }
    return catalogue;
}

// A base name that is not one plain file name could lead outside the FONTDATA
// and the output folders: such a font is reported, with why, and skipped.
bool RefusedName(const VLPackageInfo& package, int i, const char* consequence) {
    const VLBaseNameProblem problem = CheckBaseName(package.m_fonts[static_cast<size_t>(i)].m_baseName);
    if (problem == VLBaseNameProblem::kNone) return false;
    std::cout << "FAILED  " << Display(package.FormatFontLabel(i, false)) << ": base name "
              << DescribeBaseNameProblem(problem) << "; " << consequence << "\n";
    return true;
}

// Calls visit(package, index, cmpPath) for every font of every package.
template <typename Visit>
void ForEachFont(const VLInfFile& catalogue, const std::string& fontDataDir, Visit visit) {
    for (int p = 0; p < catalogue.GetPackageCount(); ++p) {
        const VLPackageInfo& package = catalogue.GetPackage(p);
        for (int i = 0; i < static_cast<int>(package.m_fonts.size()); ++i) {
            const VLFontInfo& font = package.m_fonts[static_cast<size_t>(i)];
            visit(package, i, JoinPath(fontDataDir, CatalogueFileName(font.m_baseName) + ".cmp"));
        }
    }
}

void Verify(const std::string& fontDataDir) {
    const std::unique_ptr<VLInfFile> catalogue = LoadCatalogueOrFail(fontDataDir);
    int failed = 0;
    int checked = 0;
    ForEachFont(
        *catalogue, fontDataDir, [&](const VLPackageInfo& package, int i, const std::string& cmpPath) {
            ++checked;
            const std::string label = Display(package.FormatFontLabel(i, false));
            if (RefusedName(package, i, "the installer refuses it")) {
                ++failed;
                return;
            }
            VLByteBuffer font;
            std::string error;
            if (DecodeFontFile(cmpPath, package.m_fonts[static_cast<size_t>(i)].m_fileNumber, font, error) &&
                CheckFontStructure(font, error)) {
                std::cout << "ok      " << label << ": " << font.size << " bytes, " << error << "\n";
            } else {
                ++failed;
                std::cout << "FAILED  " << label << ": " << error << "\n";
            }
        });
    std::cout << checked - failed << " of " << checked << " fonts sound\n";
    if (failed > 0) throw CLI::RuntimeError(1);
}

void Extract(const std::string& fontDataDir, const std::string& outDir) {
    const std::unique_ptr<VLInfFile> catalogue = LoadCatalogueOrFail(fontDataDir);
    if (!IsDirectory(outDir)) Fail(1, outDir + ": no such folder");
    int failed = 0;
    std::set<std::string> written;
    ForEachFont(
        *catalogue, fontDataDir, [&](const VLPackageInfo& package, int i, const std::string& cmpPath) {
            if (RefusedName(package, i, "nothing read or written")) {
                ++failed;
                return;
            }
            const std::string outPath = JoinPath(outDir, CatalogueFileName(package.GetOutputFileName(i)));
            const std::string label = Display(package.FormatFontLabel(i, false));
            // The same font listed in two packages is written once.
            if (written.count(outPath)) return;
            if (PathExists(outPath)) {
                ++failed;
                std::cout << "skipped " << label << ": " << outPath << " exists and is not overwritten\n";
                return;
            }
            VLByteBuffer font;
            std::string error;
            if (!DecodeFontFile(cmpPath, package.m_fonts[static_cast<size_t>(i)].m_fileNumber, font, error) ||
                !WriteWholeFile(outPath, font.data.get(), font.size, error)) {
                ++failed;
                std::cout << "FAILED  " << label << ": " << error << "\n";
                return;
            }
            written.insert(outPath);
            std::cout << "wrote   " << outPath << " (" << font.size << " bytes)\n";
        });
    if (failed > 0) throw CLI::RuntimeError(1);
}

}  // namespace

void AddCodecCommands(CLI::App& app) {
    auto* decode = app.add_subcommand("decode", "Decode one .cmp file into the font file");
    static std::string decodeIn;
    static std::string decodeOut;
    static int32_t decodeNumber = 0;
    decode->add_option("FILE", decodeIn, "The .cmp file")->required();
    decode->add_option("--number,-n", decodeNumber, "The font's file number from otf.inf (may be negative)")
        ->required()
        ->allow_extra_args(false);
    decode->add_option("-o,--output", decodeOut, "Font file to write")->required();
    decode->callback([] { DecodeOne(decodeIn, decodeNumber, decodeOut); });

    auto* verify = app.add_subcommand("verify", "Decode and check every font of a FONTDATA folder");
    static std::string verifyDir;
    verify->add_option("FONTDATA", verifyDir, "Folder holding otf.inf and the .cmp files")->required();
    verify->callback([] { Verify(verifyDir); });

    auto* extract =
        app.add_subcommand("extract", "Write every font of a FONTDATA folder as the installer names it");
    static std::string extractDir;
    static std::string extractOut;
    extract->add_option("FONTDATA", extractDir, "Folder holding otf.inf and the .cmp files")->required();
    extract->add_option("OUTDIR", extractOut, "Existing folder for the fonts; existing files are kept")
        ->required();
    extract->callback([] { Extract(extractDir, extractOut); });

    AddPackCommand(app);
}
