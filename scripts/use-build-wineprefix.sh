# Sourced: points WINEPREFIX at the build folder's own copy of the cached
# prefix, so that separate build folders never share a Wine server (stopping
# one would kill the other's programs) and tests' registry writes stay local.
use_build_wineprefix() {
    local template="$VESK_CACHE/wineprefix" copy="$BUILD_DIR/wineprefix"
    local stamp="$VESK_CACHE/stamps/wineprefix"
    if [[ ! -f "$copy/.vesk-template" || "$(cat "$copy/.vesk-template")" != "$(cat "$stamp" 2>/dev/null)" ]]; then
        mkdir -p "$BUILD_DIR"
        ( flock 9
          if [[ ! -f "$copy/.vesk-template" || "$(cat "$copy/.vesk-template")" != "$(cat "$stamp")" ]]; then
              rm -rf "$copy" && cp -a "$template" "$copy.tmp" && mv "$copy.tmp" "$copy"
              cp "$stamp" "$copy/.vesk-template"
          fi
        ) 9>"$BUILD_DIR/.wineprefix.lock"
    fi
    export WINEPREFIX="$copy"
}
