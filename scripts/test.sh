#!/usr/bin/env bash
# Sets up (a no-op once done), builds, and runs every test under Wine. Tests
# run in lanes (scripts/test-lanes.sh): each lane is a display, a Wine server
# and a prefix of its own, and ctest runs one test a lane at a time, so no two
# running tests share a foreground window or the real cursor. Extra arguments
# go to ctest (for example: scripts/test.sh -R Xml).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$VESK_ROOT/scripts/use-build-wineprefix.sh"
source "$VESK_ROOT/scripts/test-lanes.sh"

# Two runs on one build folder would share the lanes' Wine servers, and each
# stops them when it starts and ends: let the second wait.
mkdir -p "$BUILD_DIR"
# Only this script holds the lock: what it starts (the lanes' Wine servers
# and Xvfb, which may outlive a killed run) gets the lock's descriptor closed,
# or the next run would wait on them for ever.
exec 8>"$BUILD_DIR/.test.lock"
flock 8

"$VESK_ROOT/scripts/setup.sh"
"$VESK_ROOT/scripts/build.sh"
use_build_wineprefix

# One lane a test at a time: as many lanes as tests run at once.
lanes=${VESK_TEST_LANES:-$JOBS}
trap stop_test_lanes EXIT
start_test_lanes "$lanes" 8>&-
# What ctest starts outside any test (listing a binary's tests) runs in lane
# 0, before any test does.
export VESK_LANE=0 DISPLAY
DISPLAY=$(cat "$VESK_LANES/0/display")
# Every failure counts: a test that ran and failed is never run again. Only a
# Wine process that ends at start without any output is started once more,
# by the emulator (scripts/wine-run.sh --retry-silent-start).
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$lanes" \
    --resource-spec-file "$VESK_LANES/resources.json" "$@" 8>&-
