# Runs the cross-built Windows programs (tests, and the test listing) under
# Wine, through cmake/wine-run with a Wine prefix inside the build folder.
find_program(WINE64 NAMES wine64 wine HINTS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${PROJECT_SOURCE_DIR}/cmake/wine-run ${WINE64} ${PROJECT_BINARY_DIR}/wine-prefix)
