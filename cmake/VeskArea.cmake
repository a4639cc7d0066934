# vesk_area_library(name [LIBS lib...]): a static library of every .cpp/.c
# below the calling folder; nothing is made while the folder has no sources yet.
function(vesk_area_library name)
    cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
    if(sources)
        vesk_add_library(${name} ${sources})
        _vesk_existing_libs(libs ${A_LIBS})
        target_link_libraries(${name} PUBLIC ${libs})
    endif()
endfunction()

# Our own libraries appear as their areas get code; leave out those not there yet.
function(_vesk_existing_libs out)
    set(libs)
    foreach(l IN LISTS ARGN)
        if(TARGET ${l} OR NOT l MATCHES "^vesk_")
            list(APPEND libs ${l})
        endif()
    endforeach()
    set(${out} ${libs} PARENT_SCOPE)
endfunction()

# vesk_area_test(name [LIBS lib...]): one test binary of every .cpp
# in the calling folder; LIBS that do not exist yet are left out.
function(vesk_area_test name)
    cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    _vesk_existing_libs(libs ${A_LIBS})
    vesk_add_test(${name} SOURCES ${sources} LIBS ${libs})
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
