// inspect, inf-decode and inf-encode: reading and editing otf.inf.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

#include "catalogue/inf_loader.h"
#include "catalogue/inf_scrambling.h"
#include "tools/vellfont/commands.h"
#include "tools/vellfont/console.h"

namespace {

std::string InfPathOf(const std::string& argument) {
    return IsDirectory(argument) ? JoinPath(argument, "otf.inf") : argument;
}

nlohmann::ordered_json FontJson(const VLPackageInfo& package, int index) {
    const VLFontInfo& font = package.m_fonts[static_cast<size_t>(index)];
    return {
        {"baseName", Display(font.m_baseName)},
        {"fileNumber", font.m_fileNumber},
        {"codeHigh", font.m_codeHigh},
        {"codeLow", font.m_codeLow},
        {"versionText", Display(font.m_versionText)},
        {"version", font.m_version},
        {"extra", Display(font.m_extra)},
        {"isAllFonts", font.m_isAllFonts},
        {"familyName", Display(font.m_familyName)},
        {"styleName", Display(font.m_styleName)},
        {"outputFileName", Display(package.GetOutputFileName(index))},
        {"label", Display(package.FormatFontLabel(index, false))},
    };
}

nlohmann::ordered_json CatalogueJson(const VLInfFile& catalogue) {
    nlohmann::ordered_json packages = nlohmann::ordered_json::array();
    for (int p = 0; p < catalogue.GetPackageCount(); ++p) {
        const VLPackageInfo& package = catalogue.GetPackage(p);
        nlohmann::ordered_json fonts = nlohmann::ordered_json::array();
        for (int f = 0; f < static_cast<int>(package.m_fonts.size()); ++f)
            fonts.push_back(FontJson(package, f));
        packages.push_back({
            {"packageName", Display(package.m_packageName)},
            {"productType", Display(package.m_productType)},
            {"packageId", package.m_packageId},
            {"fontType", Display(package.m_fontType)},
            {"allFontsIndex", package.m_allFontsIndex},
            {"fonts", fonts},
        });
    }
    return {
        {"format", IsKeywordFormat(catalogue) ? "keyword" : "csv"},
        {"fileVersion", catalogue.GetFileVersion()},
        {"packages", packages},
    };
}

void PrintCatalogue(const VLInfFile& catalogue) {
    const nlohmann::ordered_json json = CatalogueJson(catalogue);
    std::cout << "format: " << json["format"].get<std::string>() << "\n"
              << "file version: " << catalogue.GetFileVersion() << "\n"
              << "packages: " << catalogue.GetPackageCount() << "\n";
    int p = 0;
    for (const auto& package : json["packages"]) {
        std::cout << "\npackage " << p++ << "\n";
        for (const auto& [key, value] : package.items()) {
            if (key != "fonts")
                std::cout << "  " << key << ": "
                          << (value.is_string() ? value.get<std::string>() : value.dump()) << "\n";
        }
        int f = 0;
        for (const auto& font : package["fonts"]) {
            std::cout << "  font " << f++ << "\n";
            for (const auto& [key, value] : font.items()) {
                std::cout << "    " << key << ": "
                          << (value.is_string() ? value.get<std::string>() : value.dump()) << "\n";
            }
        }
    }
}

void Inspect(const std::string& argument, bool asJson) {
    const std::string path = InfPathOf(argument);
    VLInfProblem problem;
    const std::unique_ptr<VLInfFile> catalogue = LoadInfFile(path, &problem);
    if (!catalogue) Fail(1, path + ": " + Display(DescribeInfProblem(problem)));
    if (asJson) {
        std::cout << CatalogueJson(*catalogue).dump() << "\n";
    } else {
        PrintCatalogue(*catalogue);
    }
}

}  // namespace

void AddInfCommands(CLI::App& app) {
    auto* inspect =
        app.add_subcommand("inspect", "Show the packages and fonts of an otf.inf or FONTDATA folder");
    static std::string inspectPath;
    static bool inspectJson = false;
    inspect->add_option("PATH", inspectPath, "otf.inf, or the FONTDATA folder holding it")->required();
    inspect->add_flag("--json", inspectJson, "One JSON object on stdout");
    inspect->callback([] { Inspect(inspectPath, inspectJson); });

    auto* decode = app.add_subcommand("inf-decode", "Write the descrambled bytes of an otf.inf to stdout");
    static std::string decodePath;
    decode->add_option("FILE", decodePath, "Scrambled otf.inf")->required();
    decode->callback([] {
        const std::string plain = DescrambleInfText(ReadFileOrFail(decodePath, 1));
        std::cout.write(plain.data(), static_cast<std::streamsize>(plain.size()));
    });

    auto* encode = app.add_subcommand(
        "inf-encode", "Scramble a plain otf.inf text (keyword scheme when it begins with START_INF)");
    static std::string encodeIn;
    static std::string encodeOut;
    encode->add_option("PLAIN", encodeIn, "Plain text, Shift-JIS")->required();
    encode->add_option("OUT", encodeOut, "Scrambled otf.inf to write")->required();
    encode->callback([] {
        const std::string plain = ReadFileOrFail(encodeIn, 1);
        WriteFileOrFail(encodeOut, ScrambleInfText(plain), 1);
    });
}
