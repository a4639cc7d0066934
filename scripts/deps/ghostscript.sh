# Ghostscript's interpreter as a static library (libgs.a) with the gsapi_*
# interface. It uses the freetype, lcms2, openjpeg, libjpeg and zlib already
# built for poppler: bundled copies would clash with them when both engines
# link into one program. Debian's dfsg source lacks the remaining bundled
# trees (libpng, jbig2dec), so their Debian sources are laid in under the
# names it expects.

step_ghostscript() {
    local gs="$BLD/ghostscript-src"
    rm -rf "$gs" && cp -a "$(src_dir ghostscript)" "$gs"
    local pair
    for pair in libpng1.6:libpng jbig2dec:jbig2dec; do
        rm -rf "${gs:?}/${pair#*:}"
        cp -a "$(src_dir "${pair%%:*}")" "$gs/${pair#*:}"
    done
    local p
    for p in "$PATCHES"/ghostscript-*.patch; do
        patch -d "$gs" -p1 <"$p"
    done
    (cd "$gs" && autoconf)   # the shipped configure predates Debian's cross-compile fix
    # Cross-building, configure ignores pkg-config unless named; ours sees only the prefix.
    (cd "$gs" && PKGCONFIG=pkg-config PKG_CONFIG_LIBDIR="$VESK_DEPS_PREFIX/lib/pkgconfig" ./configure \
        --host=$MINGW --build=x86_64-pc-linux-gnu CC=$MINGW-gcc-posix CCAUX=gcc \
        CPPFLAGS="-I$VESK_DEPS_PREFIX/include -DOPJ_STATIC" LDFLAGS="-L$VESK_DEPS_PREFIX/lib" \
        --without-pcl --without-xps --without-gpdl --disable-cups --disable-gtk --disable-dbus \
        --disable-fontconfig --without-x --without-libidn --without-libpaper --without-ijs \
        --without-tesseract --without-libtiff --without-cal --without-urf --disable-contrib \
        --with-libiconv=no --with-drivers=PS,PNG,JPEG)
    # CHECK_INTERRUPTS: without it the poll callback is never asked, and a
    # compression cannot be cancelled before the whole document is done.
    # SYNC=posync: configure picks no thread support for mingw (it has no
    # pread/pwrite, which only multi-threaded band rendering needs), and
    # without it the library refuses a second interpreter instance while one
    # runs. With winpthreads' locks every thread may run its own interpreter.
    make -C "$gs" -j "$JOBS" libgs AR=$MINGW-ar XCFLAGS=-DCHECK_INTERRUPTS SYNC=posync
    $MINGW-ar t "$gs/bin/gs.a" | grep -qx 'gp_psync.o' || { echo "gs.a was built without thread support" >&2; return 1; }
    install_ghostscript "$gs"
}

install_ghostscript() {
    local gs="$1"
    [[ -f "$gs/bin/gs.a" ]] || { echo "no gs.a was made" >&2; return 1; }
    cp "$gs/bin/gs.a" "$VESK_DEPS_PREFIX/lib/libgs.a"
    mkdir -p "$VESK_DEPS_PREFIX/include/ghostscript"
    cp "$gs/psi/iapi.h" "$gs/psi/ierrors.h" "$gs/base/gserrors.h" "$VESK_DEPS_PREFIX/include/ghostscript/"
}
