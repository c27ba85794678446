#!/usr/bin/env bash
# Includes run one way: platform/ below everything, catalogue/ and codec/ on
# it, install/ on those, ui/ on install/, app/ on ui/; the tool on the core.
# The portable core never includes <windows.h>. Fails on any include against
# that order, naming the file and the line.
set -euo pipefail

# folder: the folders its files may include from
rules=(
    "platform:platform"
    "catalogue:platform catalogue"
    "codec:platform codec"
    "install:platform catalogue codec install"
    "ui:platform catalogue codec install ui resources"
    "app:platform catalogue codec install ui resources app"
    "tools:platform catalogue codec install tools"
)
status=0
for rule in "${rules[@]}"; do
    folder=${rule%%:*}
    allowed=" ${rule#*:} "
    while IFS=: read -r file line text; do
        target=$(sed -n 's/^#include "\([^/"]*\)\/.*/\1/p' <<<"$text")
        [ -z "$target" ] && continue
        if [[ "$allowed" != *" $target "* ]]; then
            echo "$file:$line: $folder/ may not include from $target/: $text"
            status=1
        fi
    done < <(git ls-files "$folder/*.cpp" "$folder/*.h" | xargs grep -Hn '^#include "' || true)
done
while IFS= read -r hit; do
    echo "$hit: the portable core does not include <windows.h>"
    status=1
done < <(git ls-files 'catalogue/*' 'codec/*' 'install/*' | xargs grep -Hn '^#include <windows.h>' || true)
[ "$status" -eq 0 ] && echo "includes run one way"
exit "$status"
