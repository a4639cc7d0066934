#!/usr/bin/env bash
# Sets up, builds, and starts the program under Wine (with a virtual display
# when none is present).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

"$VESK_ROOT/scripts/setup.sh"
"$VESK_ROOT/scripts/build.sh"
exe="$BUILD_DIR/dist/VeskPDF2Image.exe"
cmake --install "$BUILD_DIR" --prefix "$BUILD_DIR/dist" >/dev/null
if [[ ! -f "$exe" ]]; then
    echo "run: everything is built, but the program itself (VeskPDF2Image.exe) is not there yet."
    exit 0
fi
exec "$VESK_ROOT/scripts/wine-run.sh" "$exe" "$@"
