# Sourced: small media for tests of outputs that cannot be written. A test
# that sets VESK_TEST_SMALL_MEDIA=1 gets a full 4 MB medium and a read-only
# one of its own, named to it by VESK_FULL_MEDIUM and VESK_READONLY_MEDIUM
# (Unix paths; Wine's drive Z: reaches them). Wine as root writes through
# read-only attributes, so only a real medium refuses it. The media are
# mounted where the Wine server sees them (it opens the files, not the
# program), and gone when the test ends. Where nothing can be mounted, the
# variables stay unset and the tests that need them say they were skipped.

# Mounts the media, runs the rest of the calling script again as a child
# with them named, then unmounts them and ends with its code.
use_small_media() {
    [[ "${VESK_TEST_SMALL_MEDIA:-}" == 1 && -z "${VESK_SMALL_MEDIA_ROOT:-}" ]] || return 0
    local root rc=0
    root=$(mktemp -d "${TMPDIR:-/tmp}/vesk-media.XXXXXX") || return 0
    mkdir -p "$root/full" "$root/readonly"
    if _mount_small_media "$root"; then
        VESK_SMALL_MEDIA_ROOT=$root VESK_FULL_MEDIUM="$root/full" VESK_READONLY_MEDIUM="$root/readonly" \
            "$BASH" "$0" "$@" || rc=$?
    else
        VESK_SMALL_MEDIA_ROOT=$root "$BASH" "$0" "$@" || rc=$?
    fi
    umount "$root/full" "$root/readonly" 2>/dev/null
    rm -rf "$root"
    exit "$rc"
}

_mount_small_media() {
    local root=$1
    mount -t tmpfs -o size=4m tmpfs "$root/full" 2>/dev/null || return 1
    if ! mount -t tmpfs -o size=1m,ro tmpfs "$root/readonly" 2>/dev/null; then
        umount "$root/full"
        return 1
    fi
    # A full medium: a filler takes all but 64 KB, so a larger output starts
    # and fails on the way.
    dd if=/dev/zero of="$root/full/filler" bs=1k count=$((4096 - 64)) status=none 2>/dev/null
    return 0
}
