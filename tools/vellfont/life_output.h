#pragma once

#include <string>

#include "install/font_life_job.h"
#include "tools/vellfont/life_setup.h"

// How status, install and uninstall print their results.

// The one JSON object of --json: the package, the destination, whether a
// restart is needed and one entry per chosen font. Texts in UTF-8.
std::string LifeJson(const VLLifeSetup& setup, const VLLifeResult& result);

// One line per font for people: "FILE: state (package 1.000, installed 0.900): message".
void PrintStatusLines(const VLLifeSetup& setup, const VLLifeResult& result);
// "FILE: outcome: message", then "restart needed" when something waits for it.
void PrintOutcomeLines(const VLLifeSetup& setup, const VLLifeResult& result);

// The result, as one JSON object with --json or as printLines' lines; then
// the command ends with code unless it is 0.
void ReportLife(const VLLifeSetup& setup, const VLLifeResult& result, bool json,
                void (*printLines)(const VLLifeSetup&, const VLLifeResult&), int code);

// A package text (Shift-JIS) as the console shows it, control characters escaped.
std::string ForConsole(const std::string& sjis);
