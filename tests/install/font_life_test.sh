#!/usr/bin/env bash
# status, repeatable install, upgrade and uninstall with --dest on real files:
# the demo package, and a package with an older build of ipag.ttf.
# Usage: font_life_test.sh VELLFONT
set -uo pipefail
vellfont=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/script_env.sh"
expect() {  # expect DESCRIPTION COMMAND...: the command (a test of the last run) must succeed
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else fail "$what"; fi
}
run() {  # run VERB ARGS...: sets status, out.txt, err.txt
    status=0
    "$vellfont" "$@" >"$work/out.txt" 2>"$work/err.txt" || status=$?
}
# json_field EXPRESSION: evaluates a Python expression over the parsed out.txt as j.
json() { python3 -c "import json,sys; j=json.load(open('$work/out.txt')); print($1)"; }
gothic=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf

manifest=$(cd "$here/../../demo" && pwd)/manifest.txt
"$vellfont" pack "$manifest" "$work/NEW" >/dev/null || { echo "cannot pack"; exit 1; }
python3 "$here/../support/set_font_revision.py" "$gothic" "$work/ipag-old.ttf" 2.5
sed "s|^source = $gothic|source = $work/ipag-old.ttf|" "$manifest" >"$work/old.txt"
"$vellfont" pack "$work/old.txt" "$work/OLD" >/dev/null || { echo "cannot pack the older package"; exit 1; }
mkdir "$work/dest" "$work/dest2"

echo "--- install twice"
run install "$work/NEW" --dest "$work/dest"
expect "first install exit 0" test "$status" = 0
run install "$work/NEW" --dest "$work/dest"
expect "second install exit 0" test "$status" = 0
expect "second install: four already installed" test "$(grep -c '^\[already installed\]$' "$work/out.txt")" = 4
run status "$work/NEW" --dest "$work/dest" --json
expect "status exit 0" test "$status" = 0
expect "status --json parses" python3 -m json.tool "$work/out.txt" >/dev/null
expect "every font installed" test "$(json '",".join(f["state"] for f in j["fonts"])')" = installed,installed,installed,installed
expect "only the object on stdout" test "$(json 'j["restartNeeded"]')" = False

echo "--- an older build installed"
run install "$work/OLD" --dest "$work/dest2"
expect "older package installs" test "$status" = 0
run status "$work/NEW" --dest "$work/dest2" --json
expect "status exit 1" test "$status" = 1
expect "ipag older, 2.500 against 3.030" test "$(json '[(f["state"],f["installedVersion"],f["packageVersion"]) for f in j["fonts"] if f["baseName"]=="ipag"][0]')" = "('older', '2.500', '3.030')"
run status "$work/NEW" --dest "$work/dest2"
expect "status text names the state" grep -qx 'ipag.ttf: older (package 3.030, installed 2.500)' "$work/out.txt"
run install "$work/NEW" --dest "$work/dest2"
expect "install without --upgrade refused, exit 2" test "$status" = 2
expect "the refusal says why" grep -q 'older version is installed; --upgrade replaces it' "$work/err.txt"
expect "the old file untouched" cmp -s "$work/dest2/ipag.ttf" "$work/ipag-old.ttf"
run install "$work/NEW" --dest "$work/dest2" --upgrade --json
expect "install --upgrade exit 0" test "$status" = 0
expect "ipag upgraded, the others already installed" test "$(json '",".join(f["outcome"] for f in j["fonts"])')" = upgraded,already-installed,already-installed,already-installed
expect "the new file in place" cmp -s "$work/dest2/ipag.ttf" "$gothic"
expect "no temporary file left" test -z "$(ls -A "$work/dest2" | grep -v '\.ttf$')"
run status "$work/NEW" --dest "$work/dest2"
expect "status exit 0 after the upgrade" test "$status" = 0

echo "--- a newer build is never replaced"
run install "$work/OLD" --dest "$work/dest2" --upgrade
expect "exit 1" test "$status" = 1
expect "left alone" grep -q '^\[left alone: a newer version is installed\]$' "$work/out.txt"
expect "the newer file stays" cmp -s "$work/dest2/ipag.ttf" "$gothic"

echo "--- uninstall"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$work/dest2/ipam.ttf" 2>/dev/null ||
    python3 "$here/../support/set_font_revision.py" "$gothic" "$work/dest2/ipam.ttf" 9
run uninstall "$work/OLD" --dest "$work/dest2" --json
expect "exit 1: some left" test "$status" = 1
expect "outcomes" test "$(json '",".join(f["outcome"] for f in j["fonts"])')" = left-alone,removed,left-alone,removed
expect "ipag (newer) and the foreign ipam stay" test "$(ls "$work/dest2" | tr '\n' ' ')" = "ipag.ttf ipam.ttf "
run uninstall "$work/OLD" --dest "$work/dest2" --any-version
expect "--any-version: exit 1 for the foreign font" test "$status" = 1
expect "ipag of the same family goes, the foreign font stays" test "$(ls "$work/dest2" | tr '\n' ' ')" = "ipam.ttf "
run uninstall "$work/NEW" --dest "$work/dest"
expect "uninstall exit 0" test "$status" = 0
expect "four removed" test "$(grep -c ': removed (installed)$' "$work/out.txt")" = 4
expect "the folder is empty" test -z "$(ls -A "$work/dest")"
run uninstall "$work/NEW" --dest "$work/dest"
expect "again: nothing to do, exit 0" test "$status" = 0 -a "$(grep -c 'nothing-to-do (missing)$' "$work/out.txt")" = 4

echo "--- unusable package"
mkdir "$work/EMPTY"
for verb in status install uninstall; do
    run "$verb" "$work/EMPTY" --dest "$work/dest"
    expect "$verb exit 2" test "$status" = 2
done

finish
