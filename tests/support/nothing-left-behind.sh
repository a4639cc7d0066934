#!/usr/bin/env bash
# What a test makes on the Wine prefix's C: drive it removes again, on failure
# too. ctest runs this around the whole run (a fixture every test requires):
#   before LIST: lists every file and folder of the drive into LIST
#   after LIST:  fails, naming them, when files or folders were added since
# It finds the prefix as scripts/wine-run.sh, which runs the tests, does.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
source "$VESK_ROOT/scripts/use-build-wineprefix.sh"
use_build_wineprefix
mode=${1:-} list=${2:-}

listing() {
    (cd "$WINEPREFIX/drive_c" && find . -mindepth 1 | LC_ALL=C sort)
}

case "$mode" in
before)
    listing >"$list"
    echo "$(wc -l <"$list") entries on C:"
    ;;
after)
    left=$(LC_ALL=C comm -13 "$list" <(listing))
    rm -f "$list"
    if [[ -n "$left" ]]; then
        echo "left behind on C: ($WINEPREFIX/drive_c):"
        echo "$left"
        exit 1
    fi
    echo "nothing left behind"
    ;;
*)
    echo "usage: $0 before|after LIST" >&2
    exit 2
    ;;
esac
