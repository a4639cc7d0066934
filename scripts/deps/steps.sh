# The set-up steps called by scripts/setup.sh; each runs in its own subshell
# with `set -e`, its output going to the step's log file.

DEB_PACKAGES=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev libz-mingw-w64-dev
    cmake ninja-build nasm autoconf automake libtool pkgconf make dpkg-dev patch
    wine wine64 fonts-wine fonts-liberation fonts-wqy-microhei fonts-urw-base35
    fonts-arphic-ukai fonts-ipafont-mincho fonts-unfonts-core
    xvfb xauth
    python3 python3-img2pdf
    googletest libboost1.81-dev
    poppler-utils
    python3-pil libjpeg-turbo-progs jpegoptim
)
SOURCE_PACKAGES=(freetype libjpeg-turbo openjpeg2 lcms2 poppler libjsoncpp curl ghostscript zlib libpng1.6 jbig2dec)

SRC="$VESK_CACHE/src"
BLD="$VESK_CACHE/build"
PATCHES="$VESK_ROOT/scripts/deps/patches"
MINGW=x86_64-w64-mingw32
CROSS_CMAKE=(-G Ninja
    -DCMAKE_TOOLCHAIN_FILE="$VESK_ROOT/cmake/mingw64-toolchain.cmake"
    -DVESK_DEPS_PREFIX="$VESK_DEPS_PREFIX"
    -DCMAKE_INSTALL_PREFIX="$VESK_DEPS_PREFIX"
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DZLIB_LIBRARY="$VESK_DEPS_PREFIX/lib/libz.a"
    -DZLIB_INCLUDE_DIR="$VESK_DEPS_PREFIX/include")

ensure_packages() {
    local missing=()
    local p
    for p in "${DEB_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    echo "setup: installing ${missing[*]}"
    local log="$LOGS/packages.log"
    {
        apt-get update &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
    } >"$log" 2>&1 || { echo "setup: step 'packages' failed; see $log" >&2; tail -n 20 "$log" >&2; exit 1; }
}

# Source packages need deb-src lines, which a fresh machine may lack.
enable_deb_src() {
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return 0
    fi
    cat >/etc/apt/sources.list.d/vesk-deb-src.sources <<'SRCS'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRCS
    apt-get update
}

step_sources() {
    enable_deb_src
    rm -rf "$SRC.tmp" && mkdir -p "$SRC.tmp"
    (cd "$SRC.tmp" && apt-get source -q "${SOURCE_PACKAGES[@]}")
    rm -rf "$SRC" && mv "$SRC.tmp" "$SRC"
}

# src_dir NAME: the unpacked source folder of a source package.
src_dir() {
    local d
    d=$(find "$SRC" -maxdepth 1 -type d -name "$1-[0-9]*" | head -n 1)
    [[ -n "$d" ]] || { echo "no source for $1" >&2; return 1; }
    echo "$d"
}

# fetch_source NAME: a source package added after the first download,
# unpacked beside the others once; its folder is printed.
fetch_source() {
    if ! src_dir "$1" >/dev/null 2>&1; then
        enable_deb_src >&2
        (cd "$SRC" && apt-get source -q "$1") >&2
    fi
    src_dir "$1"
}

# fresh_build NAME: an empty build folder for a library.
fresh_build() {
    rm -rf "$BLD/$1" && mkdir -p "$BLD/$1" && echo "$BLD/$1"
}

cmake_lib() {   # cmake_lib NAME SOURCE_DIR [cmake args...]
    local name="$1" src="$2"; shift 2
    local b; b=$(fresh_build "$name")
    cmake -S "$src" -B "$b" "${CROSS_CMAKE[@]}" "$@"
    cmake --build "$b" -j "$JOBS"
    cmake --install "$b"
}

step_zlib() {
    mkdir -p "$VESK_DEPS_PREFIX/lib" "$VESK_DEPS_PREFIX/include"
    cp /usr/$MINGW/lib/libz.a "$VESK_DEPS_PREFIX/lib/"
    cp /usr/$MINGW/include/zlib.h /usr/$MINGW/include/zconf.h "$VESK_DEPS_PREFIX/include/"
    # freetype2.pc requires zlib, and Ghostscript's configure asks pkg-config for freetype2.
    mkdir -p "$VESK_DEPS_PREFIX/lib/pkgconfig"
    cat >"$VESK_DEPS_PREFIX/lib/pkgconfig/zlib.pc" <<PC
prefix=$VESK_DEPS_PREFIX
Name: zlib
Description: zlib compression library
Version: 1.2.13
Libs: -L\${prefix}/lib -lz
Cflags: -I\${prefix}/include
PC
}

step_iconv() {
    local b; b=$(fresh_build iconv)
    $MINGW-gcc-posix -O2 -c "$VESK_ROOT/scripts/deps/iconv/iconv.c" -I"$VESK_ROOT/scripts/deps/iconv" -o "$b/iconv.o"
    $MINGW-ar rcs "$VESK_DEPS_PREFIX/lib/libiconv.a" "$b/iconv.o"
    cp "$VESK_ROOT/scripts/deps/iconv/iconv.h" "$VESK_DEPS_PREFIX/include/"
}

step_gtest() {
    cmake_lib gtest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
}

# Boost.Regex is header-only; exposing all of /usr/include would let host headers leak in.
step_boost() {
    mkdir -p "$VESK_DEPS_PREFIX/boost-include"
    ln -sfn /usr/include/boost "$VESK_DEPS_PREFIX/boost-include/boost"
}

step_jsoncpp() {
    cmake_lib jsoncpp "$(src_dir libjsoncpp)" -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF \
        -DBUILD_STATIC_LIBS=ON -DBUILD_OBJECT_LIBS=OFF -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF
}

step_freetype() {
    cmake_lib freetype "$(src_dir freetype)" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON -DFT_REQUIRE_ZLIB=ON
}

step_libjpeg() {
    cmake_lib libjpeg "$(src_dir libjpeg-turbo)" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_TURBOJPEG=OFF -DCMAKE_ASM_NASM_COMPILER=nasm -DREQUIRE_SIMD=ON
}

step_openjpeg() {
    cmake_lib openjpeg "$(src_dir openjpeg2)" -DBUILD_CODEC=OFF -DBUILD_TESTING=OFF \
        -DBUILD_STATIC_LIBS=ON -DBUILD_JPIP=OFF -DBUILD_DOC=OFF
}

step_lcms2() {
    local src; src=$(src_dir lcms2)
    local b; b=$(fresh_build lcms2)
    (cd "$b" && "$src/configure" --host=$MINGW --prefix="$VESK_DEPS_PREFIX" \
        CC=$MINGW-gcc-posix --enable-static --disable-shared --without-jpeg --without-tiff --without-zlib)
    make -C "$b" -j "$JOBS"
    make -C "$b" install
}

step_poppler() {
    local src; src=$(src_dir poppler)
    # Debian's own patches are applied; ours go on a copy so the cached source stays pristine.
    rm -rf "$BLD/poppler-src" && cp -a "$src" "$BLD/poppler-src"
    local p
    for p in "$PATCHES"/poppler-*.patch; do
        patch -d "$BLD/poppler-src" -p1 <"$p"
    done
    cmake_lib poppler "$BLD/poppler-src" \
        -DENABLE_CPP=ON -DENABLE_UTILS=OFF -DENABLE_GLIB=OFF -DENABLE_QT5=OFF -DENABLE_QT6=OFF \
        -DENABLE_BOOST=OFF -DENABLE_LIBCURL=OFF -DWITH_Cairo=OFF -DENABLE_NSS3=OFF -DENABLE_GPGME=OFF \
        -DENABLE_LIBTIFF=OFF -DWITH_TIFF=OFF -DENABLE_LIBPNG=OFF -DWITH_PNG=OFF -DBUILD_GTK_TESTS=OFF \
        -DBUILD_QT5_TESTS=OFF -DBUILD_QT6_TESTS=OFF -DBUILD_CPP_TESTS=OFF -DBUILD_MANUAL_TESTS=OFF \
        -DENABLE_GTK_DOC=OFF -DWITH_GObjectIntrospection=OFF -DENABLE_ZLIB_UNCOMPRESS=OFF \
        -DENABLE_DCTDECODER=libjpeg -DENABLE_LIBOPENJPEG=openjpeg2 -DENABLE_CMS=lcms2 \
        -DFONT_CONFIGURATION=win32 -DENABLE_RELOCATABLE=ON -DRUN_GPERF_IF_PRESENT=OFF \
        -DCMAKE_C_FLAGS="-DOPJ_STATIC" -DCMAKE_CXX_FLAGS="-DOPJ_STATIC" \
        -DICONV_INCLUDE_DIR="$VESK_DEPS_PREFIX/include" -DICONV_LIBRARIES="$VESK_DEPS_PREFIX/lib/libiconv.a"
}

# poppler's core headers, for rendering pages below poppler-cpp into a bitmap
# that is reused from page to page. Installed from poppler's own configured
# build, so they match the installed libraries option for option.
step_popplerheaders() {
    [[ -f "$BLD/poppler/CMakeCache.txt" ]] || step_poppler
    cmake -S "$BLD/poppler-src" -B "$BLD/poppler" -DENABLE_UNSTABLE_API_ABI_HEADERS=ON
    cmake --install "$BLD/poppler"
}

# poppler's encoding data (CMaps, CID-to-Unicode and name-to-Unicode tables,
# Unicode maps): without it poppler draws no text in fonts that a PDF does not
# embed and that need one of them, such as Chinese in Adobe-GB1 fonts.
# Installed beside the program as "popplerdata" (cmake/VeskDist.cmake).
step_popplerdata() {
    enable_deb_src
    local dl="$BLD/popplerdata"
    rm -rf "$dl" && mkdir -p "$dl"
    # Only the upstream tarball is needed: its data folders are used as they
    # are. A mirror that lacks Debian's own parts of the package makes
    # apt-get fail after fetching it, so its presence decides.
    (cd "$dl" && apt-get source -q --download-only poppler-data) || true
    local orig
    orig=$(find "$dl" -mindepth 1 -maxdepth 1 -name 'poppler-data_*.orig.tar.gz' | head -n 1)
    [[ -n "$orig" ]] || { echo "poppler-data's source could not be fetched" >&2; return 1; }
    tar -xzf "$orig" -C "$dl"
    local src; src=$(find "$dl" -mindepth 1 -maxdepth 1 -type d -name 'poppler-data-*' | head -n 1)
    local out="$VESK_DEPS_PREFIX/share/popplerdata"
    rm -rf "$out" && mkdir -p "$out"
    cp -a "$src"/cMap "$src"/cidToUnicode "$src"/nameToUnicode "$src"/unicodeMap "$src"/COPYING* "$out/"
    [[ -f "$out/cMap/Adobe-GB1/UniGB-UCS2-H" && -f "$out/cidToUnicode/Adobe-GB1" ]]
    rm -rf "$dl"
}

# poppler looks for the base-14 fonts in share\fonts beside the program,
# under the classic URW file names.
step_fonts() {
    local urw=/usr/share/fonts/type1/urw-base35 out="$VESK_DEPS_PREFIX/share/fonts"
    mkdir -p "$out"
    local pair
    for pair in \
        n022003l:NimbusMonoPS-Regular n022004l:NimbusMonoPS-Bold \
        n022024l:NimbusMonoPS-BoldItalic n022023l:NimbusMonoPS-Italic \
        n019003l:NimbusSans-Regular n019004l:NimbusSans-Bold \
        n019024l:NimbusSans-BoldItalic n019023l:NimbusSans-Italic \
        s050000l:StandardSymbolsPS \
        n021004l:NimbusRoman-Bold n021024l:NimbusRoman-BoldItalic \
        n021023l:NimbusRoman-Italic n021003l:NimbusRoman-Regular \
        d050000l:D050000L; do
        cp "$urw/${pair#*:}.t1" "$out/${pair%%:*}.pfb"
    done
}

step_curl() {
    cmake_lib curl "$(src_dir curl)" -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DHTTP_ONLY=ON \
        -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DCURL_USE_LIBPSL=OFF -DCURL_USE_LIBSSH2=OFF \
        -DUSE_LIBIDN2=OFF -DUSE_NGHTTP2=OFF -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON \
        -DENABLE_UNIX_SOCKETS=OFF -DCURL_ZLIB=ON -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF
}

# The codecs of the image-conversion stand-in (Ghostscript keeps its own libpng
# inside its tree; this one is linked only into the stand-in).
step_libpng() {
    cmake_lib libpng "$(src_dir libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
        -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON
}

# giflib ships a plain Unix makefile; its library is eight C files.
step_giflib() {
    fetch_source giflib
    local src; src=$(src_dir giflib)
    local b; b=$(fresh_build giflib)
    local f
    for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
        $MINGW-gcc-posix -O2 -c "$src/$f.c" -I"$src" -o "$b/$f.o"
    done
    rm -f "$VESK_DEPS_PREFIX/lib/libgif.a"
    $MINGW-ar rcs "$VESK_DEPS_PREFIX/lib/libgif.a" "$b"/*.o
    cp "$src/gif_lib.h" "$VESK_DEPS_PREFIX/include/"
}

step_tiff() {
    fetch_source tiff
    cmake_lib tiff "$(src_dir tiff)" -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF \
        -Dcxx=OFF -Dzlib=ON -Djpeg=ON -Dold-jpeg=OFF -Djpeg12=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF \
        -Djbig=OFF -Dlerc=OFF -Dlibdeflate=OFF -Dpixarlog=OFF \
        -DJPEG_LIBRARY="$VESK_DEPS_PREFIX/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$VESK_DEPS_PREFIX/include"
}

step_libwebp() {
    fetch_source libwebp
    cmake_lib libwebp "$(src_dir libwebp)" -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF \
        -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF \
        -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_LIBWEBPMUX=ON
}

# The name some steps fetch their source by. A step's stamp is the hash of its
# text, so renaming the call in those steps would rebuild their libraries.
fetch_source_dir() {
    fetch_source "$@"
}

# duktape for the web-engine stand-in: its single-file build, with the
# interrupt counter on and an execution-timeout hook that the engine defines
# (udata is the heap's own pointer), so a looping script can be stopped. The
# regex engine does not look at the hook: its step limit is lowered so that a
# runaway pattern ends in about two seconds too.
step_duktape() {
    local src; src=$(fetch_source_dir duktape)
    local b; b=$(fresh_build duktape)
    cp "$src"/src/duktape.c "$src"/src/duktape.h "$src"/src/duk_config.h "$b/"
    sed -i 's|^#undef DUK_USE_INTERRUPT_COUNTER$|#define DUK_USE_INTERRUPT_COUNTER|' "$b/duk_config.h"
    sed -i 's|^#undef DUK_USE_EXEC_TIMEOUT_CHECK$|#if defined(__cplusplus)\nextern "C"\n#endif\nduk_bool_t vesk_duk_exec_timeout(void *udata);\n#define DUK_USE_EXEC_TIMEOUT_CHECK(udata) vesk_duk_exec_timeout((udata))|' "$b/duk_config.h"
    sed -i 's|^#define DUK_RE_EXECUTE_STEPS_LIMIT 1000000000L|#define DUK_RE_EXECUTE_STEPS_LIMIT 100000000L|' "$b/duktape.c"
    grep -q '^#define DUK_USE_INTERRUPT_COUNTER$' "$b/duk_config.h"
    grep -q '^#define DUK_USE_EXEC_TIMEOUT_CHECK' "$b/duk_config.h"
    grep -q '^#define DUK_RE_EXECUTE_STEPS_LIMIT 100000000L' "$b/duktape.c"
    $MINGW-gcc-posix -std=c99 -O2 -c "$b/duktape.c" -I"$b" -o "$b/duktape.o"
    $MINGW-ar rcs "$b/libduktape.a" "$b/duktape.o"
    mkdir -p "$VESK_DEPS_PREFIX/include/duktape"
    cp "$b/duktape.h" "$b/duk_config.h" "$VESK_DEPS_PREFIX/include/duktape/"
    cp "$b/libduktape.a" "$VESK_DEPS_PREFIX/lib/"
    rm -rf "$BLD/duktape-src"
}

# libxml2's HTML parser and tree only, for the web-engine stand-in. Without
# HAVE_PTHREAD_H=0 CMake finds winpthreads and the thread layer fails.
step_libxml2() {
    local src; src=$(fetch_source_dir libxml2)
    local off=() o
    for o in ICONV ICU ISO8859X ZLIB LZMA THREADS THREAD_ALLOC HTTP FTP PYTHON PROGRAMS TESTS C14N \
        CATALOG DEBUG DOCB LEGACY MODULES OUTPUT PATTERN PUSH READER REGEXPS SAX1 SCHEMAS SCHEMATRON \
        VALID WRITER XINCLUDE XPATH XPTR; do
        off+=("-DLIBXML2_WITH_$o=OFF")
    done
    # LIBXML_STATIC: without it the objects carry dllexport marks, and every
    # DLL that links them would export libxml2 beside its own entry points.
    cmake_lib libxml2 "$src" -DCMAKE_C_FLAGS="-DLIBXML_STATIC" -DHAVE_PTHREAD_H=0 -DLIBXML2_WITH_HTML=ON -DLIBXML2_WITH_TREE=ON "${off[@]}"
    rm -rf "$BLD/libxml2-src"
}

source "$VESK_ROOT/scripts/deps/ghostscript.sh"
source "$VESK_ROOT/scripts/deps/make-wineprefix.sh"
