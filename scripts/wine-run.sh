#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix, quietly. ctest uses
# it as the cross-compiling emulator. Without a display it makes one for this
# program alone; scripts/test.sh shares one display and one Wine server instead.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$VESK_ROOT/scripts/use-build-wineprefix.sh"
use_build_wineprefix
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
