# The dist/ stage (cmake --install) lays the program out as it ships: the exe
# and our component DLLs beside it, and the fonts poppler falls back to for
# PDFs that do not embed the base-14 fonts under share\fonts.
install(DIRECTORY "${VESK_DEPS_PREFIX}/share/fonts" DESTINATION share)

# Programs built here (tests, benchmarks, the exe) run from build/bin, and
# poppler looks above a "bin" folder, so they find the same fonts.
file(COPY "${VESK_DEPS_PREFIX}/share/fonts" DESTINATION "${CMAKE_BINARY_DIR}/share")

# poppler's encoding data goes into the program's own folder, where
# InitPopplerDataDir looks unless the program-data folder holds a copy; the
# programs in build/bin find it the same way.
if(NOT EXISTS "${VESK_DEPS_PREFIX}/share/popplerdata/cMap")
    message(FATAL_ERROR "${VESK_DEPS_PREFIX} has no poppler data: run scripts/setup.sh")
endif()
install(DIRECTORY "${VESK_DEPS_PREFIX}/share/popplerdata" DESTINATION .)
file(COPY "${VESK_DEPS_PREFIX}/share/popplerdata" DESTINATION "${CMAKE_BINARY_DIR}/bin")

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
