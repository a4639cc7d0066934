# The dist/ stage (cmake --install) lays the program out as it ships: the exe
# and our component DLLs beside it, and the fonts poppler falls back to for
# PDFs that do not embed the base-14 fonts under share\fonts.
install(DIRECTORY "${VESK_DEPS_PREFIX}/share/fonts" DESTINATION share)

# Programs built here (tests, benchmarks, the exe) run from build/bin, and
# poppler looks above a "bin" folder, so they find the same fonts.
file(COPY "${VESK_DEPS_PREFIX}/share/fonts" DESTINATION "${CMAKE_BINARY_DIR}/share")

# The image-to-PDF script and its interpreter folder ("pythonmodel64" comes
# from components/pythonmodel64).
if(EXISTS "${CMAKE_SOURCE_DIR}/resources/pys")
    install(DIRECTORY "${CMAKE_SOURCE_DIR}/resources/pys" DESTINATION .)
endif()

# Our stand-ins for the framework's render, image-decoder and translator
# libraries sit beside the exe, where the start-up loads them from.
foreach(component IN ITEMS render imgdecoder translator)
    if(TARGET ${component})
        install(TARGETS ${component} RUNTIME DESTINATION .)
    endif()
endforeach()
