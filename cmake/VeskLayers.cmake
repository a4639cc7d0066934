# Libraries in layers: each library owns folders, lists its sources, and may
# include only headers of its own folders and of the libraries it links. A
# library links only libraries made before it, so the layers cannot loop.
#
# Two things hold the rule:
# - a check at configure time reads every include of a library's folders and
#   fails on a header of a folder the library cannot reach;
# - the library compiles against a view of the tree holding only the folders it
#   reaches, so an include from a layer above is not found.

set(VESK_LAYER_VIEWS ${CMAKE_BINARY_DIR}/layers)
# The top folders of our own code; an include into any other folder is an
# outside component's header and is not ours to check.
set(VESK_OWN_TOPS xml dui app components shellext resources)

# vesk_link(target PUBLIC|PRIVATE|INTERFACE name...): links the names, each of
# which must be a target made before, a library file, a linker flag or a
# library of the toolchain: a misspelt name fails here, not silently.
function(vesk_link target scope)
    foreach(l IN LISTS ARGN)
        _vesk_known_library(${l})
    endforeach()
    target_link_libraries(${target} ${scope} ${ARGN})
endfunction()

function(_vesk_known_library l)
    if(TARGET ${l} OR l MATCHES "^-" OR (IS_ABSOLUTE ${l} AND EXISTS ${l}))
        return()
    endif()
    if(l MATCHES "::" OR l MATCHES "^vesk_")
        message(FATAL_ERROR "unknown library '${l}': no target of that name is made before this point")
    endif()
    string(MAKE_C_IDENTIFIER "VESK_SYSTEM_LIB_${l}" var)
    find_library(${var} NAMES ${l})
    if(NOT ${var})
        message(FATAL_ERROR "unknown library '${l}': neither a target nor a library of the toolchain")
    endif()
endfunction()

# vesk_area_library(name SOURCES src... [FOLDERS dir...] [LIBS lib...]):
# a static library of the listed sources (relative to the calling folder).
# FOLDERS, relative to the root, are the folders it owns (default: the calling
# folder, without its sub-folders); every source file in them must be listed.
function(vesk_area_library name)
    cmake_parse_arguments(L "" "" "SOURCES;FOLDERS;LIBS" ${ARGN})
    file(RELATIVE_PATH here ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    if(NOT L_SOURCES)
        _vesk_unlisted_area(${here} L_SOURCES L_FOLDERS)
        if(NOT L_SOURCES)
            return()
        endif()
    endif()
    if(NOT L_FOLDERS)
        set(L_FOLDERS ${here})
    endif()
    add_library(${name} STATIC ${L_SOURCES})
    target_link_libraries(${name} PUBLIC vesk_options)
    vesk_link(${name} PUBLIC ${L_LIBS})
    _vesk_all_sources_listed(${name} "${L_FOLDERS}" "${L_SOURCES}")

    set(reach ${L_FOLDERS})
    foreach(l IN LISTS L_LIBS)
        if(TARGET ${l})
            get_target_property(below ${l} VESK_REACH)
            if(below)
                list(APPEND reach ${below})
            endif()
        endif()
    endforeach()
    list(REMOVE_DUPLICATES reach)
    set_target_properties(${name} PROPERTIES VESK_FOLDERS "${L_FOLDERS}" VESK_REACH "${reach}")

    set(view ${VESK_LAYER_VIEWS}/${name})
    _vesk_make_view(${view} "${L_FOLDERS}")
    target_include_directories(${name} PUBLIC ${view})

    _vesk_layer_violations(found "${L_FOLDERS}" "${reach}")
    if(found)
        list(JOIN found "\n  " lines)
        list(JOIN reach ", " reachable)
        message(FATAL_ERROR "${name} may include only from ${reachable}; these include from a layer it does not link:\n  ${lines}")
    endif()
endfunction()

# An area that does not list its sources yet gets every source below its
# folder, each folder of them its own, and a warning: a file added by mistake
# or forgotten goes unseen in such a library.
function(_vesk_unlisted_area here sources_out folders_out)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
    set(folders)
    foreach(s IN LISTS sources)
        get_filename_component(d ${s} DIRECTORY)
        file(RELATIVE_PATH d ${CMAKE_SOURCE_DIR} ${d})
        list(APPEND folders ${d})
    endforeach()
    list(REMOVE_DUPLICATES folders)
    if(sources)
        message(WARNING "${here}: list the library's sources (vesk_area_library(name SOURCES a.cpp ... LIBS ...))")
    endif()
    set(${sources_out} ${sources} PARENT_SCOPE)
    set(${folders_out} ${folders} PARENT_SCOPE)
endfunction()

# A folder of links to the owned folders: the library's own include root.
function(_vesk_make_view view folders)
    foreach(f IN LISTS folders)
        # A folder inside another owned one is seen through that one's link.
        set(inside FALSE)
        foreach(g IN LISTS folders)
            string(FIND "${f}/" "${g}/" at)
            if(at EQUAL 0 AND NOT f STREQUAL g)
                set(inside TRUE)
            endif()
        endforeach()
        if(inside)
            continue()
        endif()
        set(link ${view}/${f})
        if(IS_SYMLINK ${link})
            file(READ_SYMLINK ${link} target)
            if(target STREQUAL "${CMAKE_SOURCE_DIR}/${f}")
                continue()
            endif()
            # A build folder configured from another checkout: a link, never
            # followed, is all that goes.
            file(REMOVE ${link})
        endif()
        get_filename_component(parent ${link} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${f} ${link} SYMBOLIC)
    endforeach()
endfunction()

function(_vesk_all_sources_listed name folders sources)
    set(listed)
    foreach(s IN LISTS sources)
        get_filename_component(abs ${s} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND listed ${abs})
    endforeach()
    foreach(f IN LISTS folders)
        file(GLOB present CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${f}/*.cpp ${CMAKE_SOURCE_DIR}/${f}/*.c)
        foreach(p IN LISTS present)
            if(NOT p IN_LIST listed)
                file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${p})
                message(FATAL_ERROR "${name}: ${rel} is in its folder but not in its SOURCES")
            endif()
        endforeach()
    endforeach()
endfunction()

# _vesk_layer_violations(out folders reach [ROOT dir]): "file:line: header"
# for every include, in the folders' sources and headers, of one of our own
# headers whose folder is not in reach.
function(_vesk_layer_violations out folders reach)
    cmake_parse_arguments(V "" "ROOT" "" ${ARGN})
    if(NOT V_ROOT)
        set(V_ROOT ${CMAKE_SOURCE_DIR})
    endif()
    set(found)
    foreach(f IN LISTS folders)
        file(GLOB files CONFIGURE_DEPENDS ${V_ROOT}/${f}/*.h ${V_ROOT}/${f}/*.cpp ${V_ROOT}/${f}/*.c)
        foreach(file IN LISTS files)
            file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
            foreach(line IN LISTS lines)
                string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
                string(REGEX MATCH "^[^/]+" top "${header}")
                get_filename_component(dir ${header} DIRECTORY)
                if(top IN_LIST VESK_OWN_TOPS AND NOT dir IN_LIST reach)
                    file(RELATIVE_PATH rel ${V_ROOT} ${file})
                    list(APPEND found "${rel}: ${header}")
                endif()
            endforeach()
        endforeach()
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# vesk_prove_layers(library WRONG header RIGHT header): shows at configure time
# that both guards stop a wrong include of the library's layer: the check finds
# it in a sample folder, and a file of the layer that includes it does not
# compile against the layer's view, while the same file with a header the
# layer may use does.
function(vesk_prove_layers library)
    cmake_parse_arguments(P "" "WRONG;RIGHT" "" ${ARGN})
    get_target_property(folders ${library} VESK_FOLDERS)
    get_target_property(reach ${library} VESK_REACH)
    list(GET folders 0 folder)
    set(sample ${CMAKE_BINARY_DIR}/layer-proof/${library})
    file(WRITE ${sample}/${folder}/Wrong.cpp "#include \"${P_WRONG}\"\n")
    _vesk_layer_violations(found "${folder}" "${reach}" ROOT ${sample})
    if(NOT found)
        message(FATAL_ERROR "the include check missed ${P_WRONG} in a file of ${library}")
    endif()

    _vesk_view_dirs(views ${library})
    # A compiled object is proof enough; nothing needs linking.
    set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
    foreach(kind WRONG RIGHT)
        try_compile(compiled SOURCE_FROM_CONTENT ${kind}.cpp
            "#include \"${P_${kind}}\"\nint vesk_layer_probe;\n"
            CMAKE_FLAGS "-DINCLUDE_DIRECTORIES=${views}"
            COMPILE_DEFINITIONS -DUNICODE -D_UNICODE -DNOMINMAX -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00
            CXX_STANDARD 20
            OUTPUT_VARIABLE log)
        if(kind STREQUAL "WRONG" AND compiled)
            message(FATAL_ERROR "a file of ${library} compiled with ${P_WRONG}, from a layer above it")
        elseif(kind STREQUAL "RIGHT" AND NOT compiled)
            message(FATAL_ERROR "a file of ${library} did not compile with ${P_RIGHT}:\n${log}")
        endif()
    endforeach()
endfunction()

# The views a library compiles against: its own and those of what it links.
function(_vesk_view_dirs out library)
    set(dirs)
    set(queue ${library})
    set(seen)
    while(queue)
        list(POP_FRONT queue t)
        if(t IN_LIST seen OR NOT TARGET ${t})
            continue()
        endif()
        list(APPEND seen ${t})
        get_target_property(reach ${t} VESK_REACH)
        if(reach)
            list(APPEND dirs ${VESK_LAYER_VIEWS}/${t})
            get_target_property(links ${t} LINK_LIBRARIES)
            if(links)
                list(APPEND queue ${links})
            endif()
        endif()
    endwhile()
    set(${out} ${dirs} PARENT_SCOPE)
endfunction()
