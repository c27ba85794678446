#include "tools/vellfont/life_output.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "platform/console_output.h"
#include "platform/text_encoding.h"
#include "tools/vellfont/console.h"

namespace {

// A JSON string of UTF-8 text.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string QuotedOrNull(const std::string& text) { return text.empty() ? "null" : Quoted(text); }

std::string PackageVersionOf(const VLFontEntry& entry) {
    return entry.hasPackageVersion ? FormatFontVersion(entry.packageVersion) : std::string();
}

// An identical file has the package's version.
std::string InstalledVersionOf(const VLFontEntry& entry) {
    if (entry.state == VLFontState::kInstalled || entry.state == VLFontState::kUnregistered)
        return PackageVersionOf(entry);
    return entry.hasInstalledVersion ? FormatFontVersion(entry.installedVersion) : std::string();
}

std::string FileNameOf(const VLLifeSetup& setup, const VLFontEntry& entry) {
    return setup.request.package->GetOutputFileName(entry.index);
}

}  // namespace

std::string ForConsole(const std::string& sjis) { return ShiftJisForConsole(EscapeControls(sjis)); }

std::string LifeJson(const VLLifeSetup& setup, const VLLifeResult& result) {
    std::string json = "{\"package\": " + Quoted(setup.packageName) +
                       ", \"destination\": " + Quoted(setup.destinationShown) +
                       ", \"scope\": " + (setup.scope ? Quoted(InstallScopeName(*setup.scope)) : "null") +
                       ", \"restartNeeded\": " + (result.restartNeeded ? "true" : "false") + ", \"fonts\": [";
    bool first = true;
    for (const VLFontEntry& entry : result.fonts) {
        if (!first) json += ", ";
        first = false;
        json += "{\"baseName\": " + Quoted(ShiftJisToUtf8(entry.font->m_baseName)) +
                ", \"file\": " + Quoted(ShiftJisToUtf8(FileNameOf(setup, entry))) +
                ", \"state\": " + Quoted(FontStateName(entry.state)) +
                ", \"outcome\": " + Quoted(LifeOutcomeName(entry.outcome)) +
                ", \"packageVersion\": " + QuotedOrNull(PackageVersionOf(entry)) +
                ", \"installedVersion\": " + QuotedOrNull(InstalledVersionOf(entry)) +
                ", \"message\": " + QuotedOrNull(entry.message) + "}";
    }
    return json + "]}";
}

void PrintStatusLines(const VLLifeSetup& setup, const VLLifeResult& result) {
    for (const VLFontEntry& entry : result.fonts) {
        std::string line = ForConsole(FileNameOf(setup, entry)) + ": " + FontStateName(entry.state);
        const std::string packageVersion = PackageVersionOf(entry);
        const std::string installedVersion = InstalledVersionOf(entry);
        if (!packageVersion.empty() || !installedVersion.empty()) {
            line += " (package " + (packageVersion.empty() ? std::string("?") : packageVersion);
            if (entry.state != VLFontState::kMissing)
                line += ", installed " + (installedVersion.empty() ? std::string("?") : installedVersion);
            line += ")";
        }
        if (!entry.message.empty()) line += ": " + entry.message;
        std::cout << line << "\n";
    }
}

void PrintOutcomeLines(const VLLifeSetup& setup, const VLLifeResult& result) {
    for (const VLFontEntry& entry : result.fonts) {
        std::string line = ForConsole(FileNameOf(setup, entry)) + ": " + LifeOutcomeName(entry.outcome) +
                           " (" + FontStateName(entry.state) + ")";
        if (!entry.message.empty()) line += ": " + entry.message;
        std::cout << line << "\n";
    }
    if (result.restartNeeded) std::cout << "restart needed\n";
}

void ReportLife(const VLLifeSetup& setup, const VLLifeResult& result, bool json,
                void (*printLines)(const VLLifeSetup&, const VLLifeResult&), int code) {
    if (json) {
        std::cout << LifeJson(setup, result) << std::endl;
    } else {
        printLines(setup, result);
        std::cout.flush();
    }
    if (code != kLifeExitDone) throw CLI::RuntimeError(code);
}
