#pragma once

namespace CLI {
class App;
}

// pack MANIFEST OUTDIR: builds a FONTDATA folder from a manifest.
void AddPackCommand(CLI::App& app);
