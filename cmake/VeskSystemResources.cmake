# vesk_link_system_resources(target): compiles the framework's system
# resources (built-in skins and images, edit menu, message box) into the
# target, as the program carries them.
set(VESK_SYSTEM_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/../resources/system)
function(vesk_link_system_resources target)
    get_filename_component(dir ${VESK_SYSTEM_RESOURCES} ABSOLUTE)
    file(GLOB files CONFIGURE_DEPENDS ${dir}/*.xml ${dir}/*.png)
    target_sources(${target} PRIVATE ${dir}/system.rc)
    set_source_files_properties(${dir}/system.rc PROPERTIES OBJECT_DEPENDS "${files}")
    target_include_directories(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${dir}>)
endfunction()
