#!/usr/bin/env bash
# What a test makes on a Wine prefix's C: drive it removes again, on failure
# too. ctest runs this around the whole run (a fixture every test requires):
#   before LIST: lists every file and folder of each drive into LIST
#   after LIST:  fails, naming them, when files or folders were added since
# The drives are those of every prefix tests run in (scripts/test-lanes.sh):
# the build folder's and each test lane's.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
source "$VESK_ROOT/scripts/use-build-wineprefix.sh"
source "$VESK_ROOT/scripts/test-lanes.sh"
use_build_wineprefix
mode=${1:-} list=${2:-}

# One line per entry: the prefix, a tab, the entry's path on its C: drive.
listing() {
    local prefix
    while IFS= read -r prefix; do
        (cd "$prefix/drive_c" && find . -mindepth 1 | sed "s|^|$prefix/drive_c\t|")
    done < <(test_prefixes)
}

case "$mode" in
before)
    listing | LC_ALL=C sort >"$list"
    echo "$(wc -l <"$list") entries on the C: drives of $(test_prefixes | wc -l) prefix(es)"
    ;;
after)
    left=$(LC_ALL=C comm -13 "$list" <(listing | LC_ALL=C sort))
    rm -f "$list"
    if [[ -n "$left" ]]; then
        echo "left behind on C: (drive, then what is new on it):"
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
