# Sourced: points WINEPREFIX at the build folder's own copy of the cached
# prefix, so that separate build folders never share a Wine server (stopping
# one would kill the other's programs) and tests' registry writes stay local.
source "$VESK_ROOT/scripts/deps/make-wineprefix.sh"

use_build_wineprefix() {
    local name copy="$BUILD_DIR/wineprefix"
    name=$(wine_template_name)
    if [[ "$(cat "$copy/.vesk-template" 2>/dev/null)" != "$name $(cat "$VESK_CACHE/stamps/$name" 2>/dev/null)" ]]; then
        mkdir -p "$BUILD_DIR"
        ( flock 9
          # Never copy a template that a set-up is making.
          flock -s 7
          local made="$name $(cat "$VESK_CACHE/stamps/$name")"
          if [[ "$(cat "$copy/.vesk-template" 2>/dev/null)" != "$made" ]]; then
              rm -rf "$copy" "$copy.tmp" && cp -a "$VESK_CACHE/$name" "$copy.tmp" && mv "$copy.tmp" "$copy"
              echo "$made" >"$copy/.vesk-template"
          fi
        ) 9>"$BUILD_DIR/.wineprefix.lock" 7>"$VESK_CACHE/.setup.lock"
    fi
    export WINEPREFIX="$copy"
}
