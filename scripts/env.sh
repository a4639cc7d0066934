# Paths shared by the project's scripts. Sourced, never run.
VESK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Everything built once and reused lives outside the checkout.
# A CI runner may start us without HOME; the account's home folder stands in.
HOME="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"
export HOME
VESK_CACHE="${VESK_CACHE:-$HOME/.cache/veskpdf2image}"
VESK_DEPS_PREFIX="$VESK_CACHE/prefix"
WINEPREFIX="$VESK_CACHE/wineprefix"
WINEARCH=win64
WINEDEBUG=-all
# No Mono/Gecko install prompts.
WINEDLLOVERRIDES="mscoree,mshtml="
JOBS="${JOBS:-$(nproc)}"
BUILD_DIR="${BUILD_DIR:-$VESK_ROOT/build}"
export VESK_ROOT VESK_CACHE VESK_DEPS_PREFIX WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES JOBS BUILD_DIR
