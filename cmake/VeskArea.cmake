# vesk_area_test(name [LIBS lib...] [ENV VAR=value...]): one test binary of
# every .cpp in the calling folder; every one of LIBS must exist (see vesk_link).
function(vesk_area_test name)
    cmake_parse_arguments(A "" "" "LIBS;ENV" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    foreach(l IN LISTS A_LIBS)
        _vesk_known_library(${l})
    endforeach()
    vesk_add_test(${name} SOURCES ${sources} LIBS ${A_LIBS} ENV ${A_ENV})
endfunction()

# vesk_test_layouts(target rc_in): compiles the layouts of the calling test
# folder's "host" sub-folder into the test binary; rc_in lists them with
# @DATA@ for that folder. A changed layout rebuilds the resources.
function(vesk_test_layouts target rc_in)
    set(DATA ${CMAKE_CURRENT_SOURCE_DIR}/host)
    get_filename_component(rc_name ${rc_in} NAME_WLE)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${rc_name})
    configure_file(${rc_in} ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    file(GLOB layouts CONFIGURE_DEPENDS ${DATA}/*.xml)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${layouts}")
endfunction()
