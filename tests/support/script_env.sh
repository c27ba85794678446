# Shared by the shell tests (source it): a temporary folder $work removed at
# exit, the installation lock kept inside it (tests running side by side each
# take their own), a failure count and the helpers that keep it. A test ends
# with `finish`, which prints the count and gives the exit status.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VELLFONT_LOCK_FILE=$work/installation.lock
failures=0

fail() {  # fail TEXT...: counts a failure and says what it was
    echo "FAIL: $*"
    failures=$((failures + 1))
}
check() {  # check NAME COMMAND...: the command must succeed
    if ! "${@:2}" >"$work/out.txt" 2>&1; then
        fail "$1"
        cat "$work/out.txt"
    fi
}
refuse() {  # refuse NAME EXPECTED-TEXT COMMAND...: must fail and say EXPECTED-TEXT
    if "${@:3}" >"$work/out.txt" 2>&1; then
        fail "$1 succeeded"
    elif ! grep -qF -- "$2" "$work/out.txt"; then
        fail "$1 did not say '$2'"
        cat "$work/out.txt"
    fi
}
finish() {
    echo "$failures failures"
    [ "$failures" -eq 0 ]
}
