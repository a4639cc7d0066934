# Compile and link settings shared by every target of the project.
add_library(vesk_options INTERFACE)
target_compile_definitions(vesk_options INTERFACE
    UNICODE _UNICODE NOMINMAX
    _WIN32_WINNT=0x0A00 WINVER=0x0A00
)
target_compile_options(vesk_options INTERFACE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers>
)
# A static runtime: the exe and our DLLs need no GCC runtime DLLs beside them.
target_link_options(vesk_options INTERFACE -static -static-libgcc -static-libstdc++)
