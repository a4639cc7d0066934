# Sourced: test lanes. A lane is one Xvfb display, one Wine server and one
# copy of the build folder's Wine prefix. ctest gives each test a lane of its
# own for as long as it runs (a resource of type "desktop", one slot a lane),
# so no two running tests share a foreground window, a keyboard focus or the
# real cursor. scripts/test.sh starts the lanes; scripts/wine-run.sh, as
# ctest's emulator, runs each test in the lane ctest named.
#
# Layout: $VESK_LANES/resources.json (the lanes as ctest resources) and, per
# lane N, $VESK_LANES/N/wineprefix and $VESK_LANES/N/display.

lanes_dir() {
    echo "$BUILD_DIR/lanes"
}

# The lane ctest gave this process, if any: its number on stdout.
ctest_lane() {
    local group=${CTEST_RESOURCE_GROUP_0_DESKTOP:-}
    [[ -n "${CTEST_RESOURCE_GROUP_COUNT:-}" && "$group" =~ ^id:([0-9]+), ]] || return 1
    echo "${BASH_REMATCH[1]}"
}

# Points WINEPREFIX, and DISPLAY when one is set, at the lane that ctest gave
# this test (or at VESK_LANE, which scripts/test.sh sets for what ctest runs
# outside any test, such as listing a binary's tests). The display is decided
# once: a caller that unset DISPLAY gets a display of its own, and the run
# started on it stays there.
use_test_lane() {
    local lane
    if lane=$(ctest_lane); then
        unset CTEST_RESOURCE_GROUP_COUNT
    elif [[ -n "${VESK_LANE:-}" ]]; then
        lane=$VESK_LANE
    else
        return 0
    fi
    local dir
    dir="${VESK_LANES:?a test lane is named but VESK_LANES is not set}/$lane"
    [[ -d "$dir/wineprefix" ]] || { echo "wine-run: test lane $lane is not set up ($dir)" >&2; return 1; }
    if [[ -n "${DISPLAY:-}" && "${VESK_LANE_DISPLAY_DECIDED:-}" != 1 ]]; then
        DISPLAY=$(cat "$dir/display")
        export DISPLAY
    fi
    export WINEPREFIX="$dir/wineprefix" VESK_LANE=$lane VESK_LANE_DISPLAY_DECIDED=1
}

# Every Wine prefix tests may have used: the build folder's and each lane's.
test_prefixes() {
    echo "$BUILD_DIR/wineprefix"
    local p
    for p in "$(lanes_dir)"/*/wineprefix; do
        [[ -d "$p" ]] && echo "$p"
    done
    return 0
}

# Refreshes lane N's prefix from the build folder's when that one changed.
# Program files and fonts are only ever read: they are hard links to the build
# folder's copy (700 MB a lane otherwise); every other file is a copy of its own.
_lane_prefix() {
    local base=$1 copy=$2
    if [[ "$(cat "$copy/.vesk-template" 2>/dev/null)" == "$(cat "$base/.vesk-template")" ]]; then
        return 0
    fi
    rm -rf "$copy" "$copy.tmp" && cp -al "$base" "$copy.tmp" || return 1
    local f
    while IFS= read -r -d '' f; do
        cp -p "$f" "$f.own" && mv -f "$f.own" "$f" || return 1
    done < <(find "$copy.tmp" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.sys' \
        -o -iname '*.drv' -o -iname '*.tlb' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' \
        -o -iname '*.ax' -o -iname '*.ttf' -o -iname '*.ttc' -o -iname '*.fon' \) -print0)
    mv "$copy.tmp" "$copy"
}

# Lane N: its display, its prefix, its own server kept alive, and Wine's
# background programs (services, the desktop's explorer) started, so that
# they never hold a test's output pipe open. Prints nothing on success.
_lane_start() {
    local n=$1 dir
    dir="$(lanes_dir)/$n"
    mkdir -p "$dir"
    _lane_prefix "$BUILD_DIR/wineprefix" "$dir/wineprefix" || return 1
    rm -f "$dir/display" "$dir/xvfb.pid"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display.tmp" >/dev/null 2>&1 &
    echo $! >"$dir/xvfb.pid"
    local _
    for _ in $(seq 200); do [[ -s "$dir/display.tmp" ]] && break; sleep 0.1; done
    [[ -s "$dir/display.tmp" ]] || { echo "test: Xvfb of lane $n did not start" >&2; return 1; }
    echo ":$(head -n 1 "$dir/display.tmp")" >"$dir/display"
    rm -f "$dir/display.tmp"
    (
        export WINEPREFIX="$dir/wineprefix" DISPLAY
        DISPLAY=$(cat "$dir/display")
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        wineserver -p
        wine cmd /c exit 0 </dev/null >/dev/null 2>&1
    )
}

_lane_stop() {
    local dir
    dir="$(lanes_dir)/$1"
    [[ -d "$dir/wineprefix" ]] && WINEPREFIX="$dir/wineprefix" wineserver -k 2>/dev/null
    [[ -s "$dir/xvfb.pid" ]] && kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    rm -f "$dir/xvfb.pid" "$dir/display"
    return 0
}

# Starts lanes 0..COUNT-1 side by side and writes the file that tells ctest its lanes.
start_test_lanes() {
    local count=$1 n pids=() failed=0
    export VESK_LANES
    VESK_LANES=$(lanes_dir)
    mkdir -p "$VESK_LANES"
    # Lanes of an earlier, larger run would still be checked for leftovers.
    for n in "$VESK_LANES"/*/; do
        n=$(basename "$n")
        [[ "$n" =~ ^[0-9]+$ && $n -ge $count ]] && rm -rf "${VESK_LANES:?}/$n"
    done
    for ((n = 0; n < count; n++)); do
        _lane_start "$n" &
        pids+=($!)
    done
    for n in "${pids[@]}"; do wait "$n" || failed=1; done
    [[ $failed -eq 0 ]] || return 1
    local ids=""
    for ((n = 0; n < count; n++)); do
        ids+="${ids:+, }{\"id\": \"$n\", \"slots\": 1}"
    done
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"desktop": [%s]}]}\n' "$ids" >"$VESK_LANES/resources.json"
}

stop_test_lanes() {
    local n
    for n in "$(lanes_dir)"/*/; do
        _lane_stop "$(basename "$n")"
    done
}
