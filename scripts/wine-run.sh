#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix, quietly. Without a
# display it makes one for this program alone; under scripts/test.sh it runs
# in the test lane (display, Wine server and prefix) that ctest gave the test.
# A crashed program ends at once with a failure code (the prefix has no
# debugger and no crash dialog).
#
# ctest uses it as the cross-compiling emulator with --retry-silent-start
# first: under heavy parallel load a Wine process now and then ends at start,
# before the program runs, without printing anything. Only such a run is
# started once more; a program that printed anything has run, and its exit
# code stands.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$VESK_ROOT/scripts/use-build-wineprefix.sh"
source "$VESK_ROOT/scripts/test-lanes.sh"
source "$VESK_ROOT/scripts/test-media.sh"
use_build_wineprefix
use_test_lane || exit 1
use_small_media "$@"

if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$BASH" "${BASH_SOURCE[0]}" "$@"
fi
retry_silent_start=0
if [[ "${1:-}" == --retry-silent-start ]]; then
    retry_silent_start=1
    shift
fi
if [[ $retry_silent_start -eq 0 ]]; then
    exec wine "$@"
fi

# Both streams pass through as they come; copies show whether anything came.
seen=$(mktemp -d)
exec 3> >(tee "$seen/out")
out_pid=$!
exec 4> >(tee "$seen/err" >&2)
err_pid=$!
wine "$@" >&3 2>&4
rc=$?
exec 3>&- 4>&-
wait "$out_pid" "$err_pid"
silent=0
[[ -s "$seen/out" || -s "$seen/err" ]] || silent=1
rm -rf "$seen"
if [[ $rc -ne 0 && $silent -eq 1 ]]; then
    echo "wine-run: $1 ended with code $rc before printing anything; starting it once more" >&2
    exec wine "$@"
fi
exit "$rc"
