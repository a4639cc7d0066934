#!/usr/bin/env bash
# Configures and builds everything into $BUILD_DIR (default: build/).
# Expects scripts/setup.sh to have run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

# Configuring every time is cheap and picks up new area and test folders.
cmake -S "$VESK_ROOT" -B "$BUILD_DIR" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$VESK_ROOT/cmake/mingw64-toolchain.cmake" \
        -DVESK_DEPS_PREFIX="$VESK_DEPS_PREFIX" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$VESK_ROOT/scripts/wine-run.sh;--retry-silent-start" \
        -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS"
