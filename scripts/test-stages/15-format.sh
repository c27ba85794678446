#!/usr/bin/env bash
# Every C++ file as the repository's .clang-format lays it out. The version is
# pinned: another clang-format may lay the same code out differently.
set -euo pipefail
formatter=clang-format-14
command -v "$formatter" >/dev/null || { echo "$formatter is missing (scripts/install-deps.sh installs it)"; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if "$formatter" --dry-run -Werror --style=file "${files[@]}"; then
    echo "${#files[@]} files formatted as .clang-format says"
else
    echo "formatting differs (above); run: git ls-files '*.cpp' '*.h' | xargs $formatter -i --style=file"
    exit 1
fi
