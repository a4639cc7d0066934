#!/usr/bin/env bash
# scripts/wine-run.sh as every part of the project uses it.
#   crash PROBE: a crashed windowed program ends at once with its failure code,
#                as ctest runs it, by hand with a display and by hand without.
#   retry:       ctest's mode starts a program once more only when it ended
#                with a failure before printing anything, and only once.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
run="$root/scripts/wine-run.sh"
note="starting it once more"
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

count() {
    grep -o -F -- "$2" <<<"$1" | wc -l
}

# check NAME EXIT_CODE TEXT TEXT_COUNT NOTE_COUNT COMMAND...
# A crash that waited on a debugger or a dialog would still run after the
# time-out, short enough that all three crash runs give their verdict within
# ctest's limit of 300 s.
check() {
    local name=$1 want=$2 text=$3 texts=$4 notes=$5
    shift 5
    local out rc start=$SECONDS
    out=$(timeout -k 5 60 "$@" 2>&1)
    rc=$?
    echo "--- $name: exit code $rc after $((SECONDS - start)) s"
    echo "$out"
    if [[ $rc -eq 124 || $rc -eq 137 ]]; then
        fail "$name: still running after 60 s"
        return
    fi
    [[ $rc -eq $want ]] || fail "$name: exit code $rc, expected $want"
    [[ $(count "$out" "$text") -eq $texts ]] || fail "$name: '$text' not $texts time(s) in the output"
    [[ $(count "$out" "$note") -eq $notes ]] || fail "$name: started again $(count "$out" "$note") time(s), expected $notes"
}

case "${1:-}" in
crash)
    probe=$2
    # 0xC0000005, of which Wine passes the low byte to the shell.
    check "as ctest runs it" 5 crashing 1 0 "$run" --retry-silent-start "$probe"
    check "by hand" 5 crashing 1 0 "$run" "$probe"
    check "by hand without a display" 5 crashing 1 0 env -u DISPLAY "$run" "$probe"
    ;;
retry)
    marker="Z:${work//\//\\}\\first-run-done"
    check "silent failure, then success" 0 "$note" 1 1 \
        "$run" --retry-silent-start cmd /c "if exist $marker (exit 0) else (type nul > $marker & exit 3)"
    check "silent failure twice" 3 "$note" 1 1 "$run" --retry-silent-start cmd /c "exit 3"
    check "printed, then failed" 3 ran 1 0 "$run" --retry-silent-start cmd /c "echo ran & exit 3"
    check "printed an error, then failed" 3 ran 1 0 "$run" --retry-silent-start cmd /c "echo ran 1>&2 & exit 3"
    check "silent success" 0 "$note" 0 0 "$run" --retry-silent-start cmd /c "exit 0"
    check "by hand, silent failure" 3 "$note" 0 0 "$run" cmd /c "exit 3"
    ;;
*)
    echo "usage: $0 crash PROBE | retry" >&2
    exit 2
    ;;
esac
echo "$failures failure(s)"
[[ $failures -eq 0 ]]
