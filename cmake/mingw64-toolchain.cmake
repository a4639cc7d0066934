# Cross-compiles for Windows x64 with Debian's mingw-w64 (posix thread model:
# the win32 model of GCC 12 lacks std::thread and std::recursive_mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_AR x86_64-w64-mingw32-ar)
set(CMAKE_RANLIB x86_64-w64-mingw32-ranlib)

# VESK_DEPS_PREFIX holds the cross-built third-party libraries (see scripts/setup.sh).
if(NOT VESK_DEPS_PREFIX AND DEFINED ENV{VESK_DEPS_PREFIX})
    set(VESK_DEPS_PREFIX "$ENV{VESK_DEPS_PREFIX}")
endif()
set(VESK_DEPS_PREFIX "${VESK_DEPS_PREFIX}" CACHE PATH "Prefix of the cross-built dependencies")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VESK_DEPS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${VESK_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Host .pc files would otherwise leak into the cross build.
set(ENV{PKG_CONFIG_LIBDIR} "${VESK_DEPS_PREFIX}/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
