# Helpers every area uses to declare its targets the same way.
include(GoogleTest)
# Sources include each other from the repository root: #include "app/core/CFileIni.h".
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

# vesk_add_library(name src...): a static library of one area.
function(vesk_add_library name)
    add_library(${name} STATIC ${ARGN})
    target_link_libraries(${name} PUBLIC vesk_options)
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# Every test that runs a Windows program takes a test lane of its own while it
# runs: a display, Wine server and prefix that no other running test shares
# (scripts/test-lanes.sh; ctest ignores it unless it is given the lanes' resource file).
set(VESK_TEST_LANE RESOURCE_GROUPS desktop:1)

# vesk_add_test(name SOURCES src... [LIBS lib...] [ENV VAR=value...]): one
# GoogleTest binary, run under Wine by ctest with the given environment
# (scripts/wine-run.sh reads some of it). Few binaries: every Wine start costs time.
function(vesk_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE vesk_options vesk_crash_report ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_definitions(${name} PRIVATE
        VESK_TESTS_DIR="Z:${CMAKE_SOURCE_DIR}/tests"
        VESK_BIN_DIR="Z:${CMAKE_BINARY_DIR}/bin")
    # PRE_TEST: listing tests at build time would start Wine without a display.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED vesk_prefix ${VESK_TEST_LANE} ENVIRONMENT "${T_ENV}")
endfunction()

# vesk_add_bench(name src... ): a benchmark program, built with the tests, run by hand.
function(vesk_add_bench name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE vesk_options vesk_crash_report)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# vesk_add_subdirs(dir...): adds the listed sub-folders that have a CMakeLists.txt.
function(vesk_add_subdirs)
    foreach(d IN LISTS ARGN)
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${d}/CMakeLists.txt)
            add_subdirectory(${d})
        endif()
    endforeach()
endfunction()
