#include "tools/vellfont/life_setup.h"

#include <CLI/CLI.hpp>

#include "catalogue/inf_loader.h"
#include "install/font_registration.h"
#include "platform/shift_jis.h"
#include "platform/text_encoding.h"
#include "tools/vellfont/console.h"
#include "tools/vellfont/install_scope.h"

namespace {

// Without its trailing separators (the engine adds one); a drive root keeps "C:".
std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1) {
        const char last = folder.back();
        if (last == '/' || (last == '\\' && FindLastSingleByte(folder, '\\') == folder.size() - 1)) {
            folder.pop_back();
        } else {
            break;
        }
    }
    return folder;
}

VLChosenDestination DestinationOf(const VLLifeOptions& options, const VLPackageInfo& package,
                                  VLInstallPlatform& platform) {
    if (options.destDir.empty())
        return ScopeDestination(options.scope, package, platform.system, options.makeFolders);
    if (!options.scope.empty()) Fail(kLifeExitNotStarted, "--scope and --dest exclude each other");
    // Fonts in the system font folder are the system's: each has its value.
    return FolderDestination(platform.system,
                             WithoutTrailingSeparators(ArgumentText(options.destDir, "destination")));
}

std::vector<int32_t> ChosenFonts(const VLLifeOptions& options, const VLPackageInfo& package) {
    std::vector<bool> checked(package.m_fonts.size(), options.fonts.empty());
    for (const std::string& name : options.fonts) {
        const std::string baseName = ArgumentText(name, "font name");
        bool found = false;
        for (size_t i = 0; i < package.m_fonts.size(); ++i) {
            if (package.m_fonts[i].m_baseName == baseName) checked[i] = found = true;
        }
        if (!found)
            Fail(kLifeExitNotStarted,
                 "package " + std::to_string(options.package) + " has no font '" + name + "'");
    }
    std::vector<int32_t> chosen;
    for (size_t i = 0; i < checked.size(); ++i) {
        if (checked[i]) chosen.push_back(static_cast<int32_t>(i));
    }
    return chosen;
}

}  // namespace

std::string ArgumentText(const std::string& argument, const char* what) {
#ifdef _WIN32
    (void)what;
    return argument;
#else
    const std::optional<std::string> sjis = Utf8ToShiftJis(argument);
    if (!sjis)
        Fail(kLifeExitNotStarted, std::string(what) + " '" + argument + "' cannot be written in Shift-JIS");
    return *sjis;
#endif
}

void AddLifeOptions(CLI::App& verb, VLLifeOptions& options) {
    verb.add_option("FONTDATA", options.fontDataDir, "The FONTDATA folder (otf.inf and the .cmp files)")
        ->required();
    verb.add_option("--scope", options.scope,
                    "machine or user (default: machine on Windows and for root, else user)");
    verb.add_option("--dest", options.destDir, "A plain destination folder instead of a scope's font folder");
    verb.add_option("--font", options.fonts, "Base name of a font (repeatable; default: all of the package)");
    verb.add_option("--package", options.package, "Package index in otf.inf (default 0)");
    verb.add_flag("--json", options.json, "One JSON object on stdout");
}

VLLifeSetup PrepareLife(const VLLifeOptions& options, VLInstallPlatform& platform) {
    VLLifeSetup setup;
    const std::string infPath = JoinPath(options.fontDataDir, "otf.inf");
    VLInfProblem problem;
    setup.catalogue = LoadInfFile(infPath, &problem);
    if (!setup.catalogue)
        Fail(kLifeExitNotStarted,
             infPath + ": not a usable settings file: " + Display(DescribeInfProblem(problem)));
    if (options.package < 0 || options.package >= setup.catalogue->GetPackageCount()) {
        Fail(kLifeExitNotStarted, "no package " + std::to_string(options.package) +
                                      " (the settings file has " +
                                      std::to_string(setup.catalogue->GetPackageCount()) + ")");
    }
    const VLPackageInfo& package = setup.catalogue->GetPackage(options.package);
    VLLifeRequest& request = setup.request;
    request.package = &package;
    request.chosen = ChosenFonts(options, package);
    request.fontDataDir = ArgumentText(options.fontDataDir, "FONTDATA folder");
    const VLChosenDestination chosen = DestinationOf(options, package, platform);
    request.destination = chosen.destination;
    setup.scope = chosen.scope;
    request.upgrade = options.upgrade;
    request.anyVersion = options.anyVersion;
    // A scope's folder that is not there yet holds no font: nothing is missing but the fonts.
    if ((!chosen.scope || options.makeFolders) && !platform.files.Exists(request.destination.folder))
        Fail(kLifeExitNotStarted, (options.destDir.empty() ? request.destination.folder : options.destDir) +
                                      ": no such destination folder");
    setup.packageName = ShiftJisToUtf8(package.m_packageName);
#ifdef _WIN32
    setup.destinationShown = ShiftJisToUtf8(request.destination.folder);
#else
    setup.destinationShown = chosen.scope ? ShiftJisToUtf8(request.destination.folder) : options.destDir;
#endif
    return setup;
}

std::unique_ptr<VLInstallationLock> LockInstallationOrFail() {
    std::unique_ptr<VLInstallationLock> lock = TakeInstallationLock();
    if (!lock)
        Fail(kLifeExitNotStarted,
             "another installation is running (the installer or vellfont); try again when it has finished");
    return lock;
}
