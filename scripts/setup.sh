#!/usr/bin/env bash
# Prepares a Debian 12 machine (as root) to build, run and test the program:
# Debian packages, cross-built third-party libraries and a Wine prefix, all
# cached under $VESK_CACHE. Every finished step is stamped, so a second run
# does nothing and an interrupted run resumes where it stopped.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$VESK_ROOT/scripts/deps/steps.sh"

STAMPS="$VESK_CACHE/stamps"
LOGS="$VESK_CACHE/logs"
mkdir -p "$STAMPS" "$LOGS" "$VESK_DEPS_PREFIX"

# Several checkouts share one cache: a second set-up waits for the first.
exec 9>"$VESK_CACHE/.setup.lock"
flock 9

# A step's stamp records a hash of its recipe (function body and patches), so
# changing a recipe reruns that step.
run_step() {
    local name="$1" fn="$2"
    local hash
    hash=$( { declare -f "$fn"; cat "$VESK_ROOT"/scripts/deps/patches/"$name"*.patch 2>/dev/null || true; } | sha1sum | cut -c1-16)
    if [[ -f "$STAMPS/$name" && "$(cat "$STAMPS/$name")" == "$hash" ]]; then
        return 0
    fi
    local log="$LOGS/$name.log"
    echo "setup: $name ..."
    local start=$SECONDS
    # Not inside `if`: bash ignores `set -e` in a subshell tested by a condition.
    set +e
    ( set -euo pipefail; "$fn" ) >"$log" 2>&1
    local rc=$?
    set -e
    if [[ $rc -ne 0 ]]; then
        echo "setup: step '$name' failed; see $log" >&2
        tail -n 20 "$log" >&2
        exit 1
    fi
    echo "$hash" >"$STAMPS/$name"
    echo "setup: $name done in $((SECONDS - start)) s"
}

ensure_packages   # not stamped: cheap to check, and the machine may have lost packages
run_step sources step_sources
run_step zlib step_zlib
run_step iconv step_iconv
run_step gtest step_gtest
run_step boost step_boost
run_step jsoncpp step_jsoncpp
run_step freetype step_freetype
run_step libjpeg step_libjpeg
run_step openjpeg step_openjpeg
run_step lcms2 step_lcms2
run_step poppler step_poppler
# Headers installed before poppler was last rebuilt may no longer match it.
[[ "$STAMPS/poppler" -nt "$STAMPS/popplerheaders" ]] && rm -f "$STAMPS/popplerheaders"
run_step popplerheaders step_popplerheaders
run_step fonts step_fonts
run_step popplerdata step_popplerdata
run_step curl step_curl
run_step ghostscript step_ghostscript
run_step libpng step_libpng
run_step giflib step_giflib
run_step tiff step_tiff
run_step libwebp step_libwebp
run_step duktape step_duktape
run_step libxml2 step_libxml2

WINEPREFIX="$VESK_CACHE/$(wine_template_name)"
run_step "$(wine_template_name)" step_wineprefix
