#!/usr/bin/env bash
# vellfont install --scope user natively, under a umask of 077, with HOME and
# XDG_DATA_HOME in a temporary folder: the fonts land in the package's folder
# below the user's font folder, readable by everyone, and fontconfig (asked
# through its library, as programs ask) lists every installed family; status
# and uninstall look in the same place, and after uninstall fontconfig lists
# none of them.
# Usage: user_scope_test.sh VELLFONT FC_FAMILIES MANIFEST
set -uo pipefail
vellfont=$1
families=$2
manifest=$3
source "$(dirname "$0")/../support/script_env.sh"
export HOME=$work/home XDG_CACHE_HOME=$work/cache
unset XDG_DATA_HOME
"$vellfont" pack "$manifest" "$work/FONTDATA" >/dev/null || { echo "cannot pack"; exit 1; }

run() {  # run VERB [options...]: status, out.json, err.txt
    local verb=$1
    shift
    status=0
    (umask 077 && "$vellfont" "$verb" "$work/FONTDATA" "$@" >"$work/out.json" 2>"$work/err.txt") || status=$?
    cat "$work/err.txt"
}
install_user() { run install "$@"; }
mode_of() { stat -c %a "$1"; }
all_modes() {  # all_modes FOLDER MODE TYPE
    [ -z "$(find "$1" -type "$3" ! -perm "$2")" ]
}
json() { python3 -c "import json,sys; d=json.load(open('$work/out.json')); print($1)"; }
expected="IPAGothic IPAMincho IPAPGothic IPAPMincho"

echo "--- HOME/.local/share/fonts"
install_user --scope user --json
dest=$HOME/.local/share/fonts/IPAF
check "exit 0" test "$status" = 0
check "four fonts in the package's folder" test "$(cd "$dest" && ls | tr '\n' ' ')" = "ipag.ttf ipagp.ttf ipam.ttf ipamp.ttf "
check "fonts 0644" all_modes "$dest" 644 f
check "folders 0755" all_modes "$HOME" 755 d
check "JSON: scope user" test "$(json "d['scope']")" = user
check "JSON: the folder used" test "$(json "d['destination']")" = "$dest"
check "JSON: four installed" test "$(json "[f['outcome'] for f in d['fonts']].count('installed')")" = 4
listed=$("$families" "$dest")
for family in $expected; do
    check "fontconfig lists $family" grep -qx "$family" <<<"$listed"
done

echo "--- a second install, status and uninstall in the same scope"
install_user --scope user --json
check "again: exit 0" test "$status" = 0
check "JSON: four already installed" test "$(json "[f['outcome'] for f in d['fonts']].count('already-installed')")" = 4
run status --scope user --json
check "status: exit 0" test "$status" = 0
check "status: four installed" test "$(json "[f['state'] for f in d['fonts']].count('installed')")" = 4
run uninstall --scope user --json
check "uninstall: exit 0" test "$status" = 0
check "uninstall: four removed" test "$(json "[f['outcome'] for f in d['fonts']].count('removed')")" = 4
check "no font file left" test -z "$(ls "$dest")"
check "fontconfig lists none of them" test -z "$("$families" "$dest")"
run status --scope user
check "status after uninstall: exit 1" test "$status" = 1

echo "--- XDG_DATA_HOME, without --json"
export XDG_DATA_HOME=$work/data
install_user --scope user
check "exit 0" test "$status" = 0
check "the log on stdout" grep -q '^\[成功しました\]$' "$work/out.json"
check "fonts 0644" all_modes "$XDG_DATA_HOME/fonts/IPAF" 644 f
check "folders 0755" all_modes "$XDG_DATA_HOME" 755 d
listed=$("$families" "$XDG_DATA_HOME/fonts/IPAF")
for family in $expected; do
    check "fontconfig lists $family" grep -qx "$family" <<<"$listed"
done

echo "--- a font folder fontconfig is not configured to read"
cat >"$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<fontconfig><cachedir>$work/cache/other</cachedir></fontconfig>
CONF
FONTCONFIG_FILE=$work/fonts.conf XDG_DATA_HOME=$work/unread install_user --scope user --json
check "exit 1" test "$status" = 1
check "JSON: four failed" test "$(json "[f['outcome'] for f in d['fonts']].count('failed')")" = 4
check "the reason" test "$(json "d['fonts'][0]['message']")" = "fontconfig does not list the installed font; it was removed again"
check "the files removed again" test -z "$(ls "$work/unread/fonts/IPAF")"

echo "--- refusals"
install_user --scope user --dest "$work"
check "--scope with --dest: exit 2" test "$status" = 2
install_user --scope everyone
check "an unknown scope: exit 2" test "$status" = 2
check "one line on stderr" test "$(wc -l <"$work/err.txt")" = 1
HOME=relative XDG_DATA_HOME= run status --scope user
check "no usable HOME: exit 2" test "$status" = 2
check "nothing on stdout" test ! -s "$work/out.json"

finish
