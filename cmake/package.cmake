# The archives for users: the program, the tools that let a user see it work
# without the simulator and record a session with it (fake_lfs, insim_tap),
# and a short text; nothing of the library, whose headers and archives the
# `insim` package installs.
#   Windows: street_names-<version>-win64.zip, programs linked statically.
#   Linux:   street_names-<version>-linux-<processor>.tar.gz, in a folder of
#            that name, with the C++ runtime and libgcc linked into the
#            programs so that they run on any distribution with glibc.
# The programs are left out of a plain `cmake --install`, which installs the
# library.
set(packaged_programs street_names fake_lfs insim_tap)
install(TARGETS ${packaged_programs} RUNTIME DESTINATION . COMPONENT program EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME street_names)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program)
if(WIN32)
    set(users_text ${PROJECT_SOURCE_DIR}/docs/windows/README.txt)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_ARCHIVE_PROGRAM_FILE_NAME street_names-${PROJECT_VERSION}-win64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
    set(users_text ${PROJECT_SOURCE_DIR}/docs/linux/README.txt)
    set(CPACK_GENERATOR TGZ)
    # The folder inside is named as the archive.
    set(CPACK_PACKAGE_FILE_NAME street_names-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
    set(CPACK_ARCHIVE_PROGRAM_FILE_NAME ${CPACK_PACKAGE_FILE_NAME})
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
    # The sanitizer runtimes want the shared C++ runtime; those builds are
    # never packaged.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT CMAKE_CXX_FLAGS MATCHES "sanitize")
        foreach(program ${packaged_programs})
            target_link_options(${program} PRIVATE -static-libstdc++ -static-libgcc)
        endforeach()
    endif()
endif()
install(FILES ${users_text} DESTINATION . COMPONENT program EXCLUDE_FROM_ALL)
include(CPack)
