# The one place that turns the cross-built third-party libraries into
# imported targets. They live in VESK_DEPS_PREFIX (made by scripts/setup.sh).
if(NOT VESK_DEPS_PREFIX OR NOT EXISTS "${VESK_DEPS_PREFIX}/lib")
    message(FATAL_ERROR "VESK_DEPS_PREFIX (${VESK_DEPS_PREFIX}) has no libraries: run scripts/setup.sh")
endif()
set(_lib "${VESK_DEPS_PREFIX}/lib")
set(_inc "${VESK_DEPS_PREFIX}/include")

function(_vesk_static_dep name)
    cmake_parse_arguments(D "" "" "LIBS;INCLUDES;DEFINES;SYSLIBS" ${ARGN})
    add_library(${name} INTERFACE IMPORTED GLOBAL)
    set(files)
    foreach(l IN LISTS D_LIBS)
        if(NOT EXISTS "${_lib}/lib${l}.a")
            message(FATAL_ERROR "missing ${_lib}/lib${l}.a: run scripts/setup.sh")
        endif()
        list(APPEND files "${_lib}/lib${l}.a")
    endforeach()
    set_target_properties(${name} PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${D_INCLUDES}"
        INTERFACE_COMPILE_DEFINITIONS "${D_DEFINES}"
        INTERFACE_LINK_LIBRARIES "${files};${D_SYSLIBS}")
endfunction()

_vesk_static_dep(Vesk::zlib LIBS z INCLUDES "${_inc}")
_vesk_static_dep(Vesk::poppler_cpp
    LIBS poppler-cpp poppler freetype jpeg openjp2 lcms2 iconv z
    INCLUDES "${_inc}/poppler/cpp"
    SYSLIBS gdi32 advapi32)
# poppler's core, for rendering below poppler-cpp. Its headers have generic
# names (Object.h, Page.h...): link it PRIVATE, only where it is used.
_vesk_static_dep(Vesk::poppler_core
    LIBS poppler freetype jpeg openjp2 lcms2 iconv z
    INCLUDES "${_inc}/poppler"
    SYSLIBS gdi32 advapi32)
# Ghostscript shares poppler's freetype, openjpeg, lcms2, libjpeg and zlib.
_vesk_static_dep(Vesk::gsapi LIBS gs freetype openjp2 lcms2 jpeg z INCLUDES "${_inc}/ghostscript" SYSLIBS gdi32 winspool comdlg32 advapi32)
_vesk_static_dep(Vesk::curl LIBS curl z INCLUDES "${_inc}" DEFINES CURL_STATICLIB
    SYSLIBS ws2_32 crypt32 secur32 bcrypt wldap32 normaliz iphlpapi)
# The codecs of the image-conversion library's stand-in, and only of it.
_vesk_static_dep(Vesk::image_codecs
    LIBS tiff webpmux webpdemux webp png16 gif openjp2 jpeg z
    INCLUDES "${_inc}" "${_inc}/openjpeg-2.5" DEFINES OPJ_STATIC
    SYSLIBS windowscodecs ole32)
_vesk_static_dep(Vesk::jsoncpp LIBS jsoncpp INCLUDES "${_inc}")
# The web engine's HTML parser and script engine.
_vesk_static_dep(Vesk::libxml2 LIBS xml2 INCLUDES "${_inc}/libxml2" DEFINES LIBXML_STATIC SYSLIBS ws2_32 bcrypt)
_vesk_static_dep(Vesk::duktape LIBS duktape INCLUDES "${_inc}")
# Boost.Regex is header-only; only the boost folder is exposed, never all of /usr/include.
add_library(Vesk::boost_regex INTERFACE IMPORTED GLOBAL)
set_target_properties(Vesk::boost_regex PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${VESK_DEPS_PREFIX}/boost-include")

find_package(GTest CONFIG REQUIRED PATHS "${VESK_DEPS_PREFIX}" NO_DEFAULT_PATH)
