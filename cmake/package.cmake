# The archives for users: the program, the tools that let a user see it work
# without the simulator, record a session with it and check a program of
# their own (fake_lfs, insim_tap, insim_check), a short text and the
# licences; nothing of the library, whose headers and archives the `insim`
# package installs.
#   Windows: street_names-<version>-win64.zip, programs linked statically.
#   Linux:   street_names-<version>-linux-<processor>.tar.gz, in a folder of
#            that name, with the programs linked fully statically (the C
#            and C++ runtimes too), so that they run on any Linux of the
#            processor, whatever its glibc, with nothing else installed.
# The programs are left out of a plain `cmake --install`, which installs the
# library.
set(packaged_programs street_names fake_lfs insim_tap insim_check)

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
    # The sanitizer runtimes want the shared runtimes; those builds are never
    # packaged. A fully static program looks up no host name through glibc's
    # name-service libraries: street_names resolves the literal 127.0.0.1,
    # which glibc parses without them, and the tools resolve nothing.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT CMAKE_CXX_FLAGS MATCHES "sanitize")
        foreach(tool fake_lfs insim_tap insim_check)
            target_link_options(${tool} PRIVATE -static)
        endforeach()
        # The program as the archive carries it. The build's own stays linked
        # to the shared C library, so that the tests can watch its memory
        # under valgrind and the benchmarks count its allocations.
        add_executable(street_names_archived ${PROJECT_SOURCE_DIR}/app/main.cpp)
        target_link_libraries(street_names_archived PRIVATE street_names_app)
        target_compile_definitions(street_names_archived PRIVATE
            STREET_NAMES_VERSION="${PROJECT_VERSION}")
        target_link_options(street_names_archived PRIVATE -static)
        set_target_properties(street_names_archived PROPERTIES
            OUTPUT_NAME street_names RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/archived)
        # Linked statically, the library's getaddrinfo call draws glibc's warning
        # that name look-ups need its shared name-service libraries at run time.
        # The program passes only the numeric 127.0.0.1, which getaddrinfo
        # parses itself without them (the archive's test runs it in an empty
        # root), so the library keeps its one build and the link says so.
        add_custom_command(TARGET street_names_archived POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E echo
                "note: the getaddrinfo warning above does not apply: street_names looks up only the numeric 127.0.0.1, which needs no shared library"
            VERBATIM)
        set(packaged_programs street_names_archived fake_lfs insim_check insim_tap)
    endif()
endif()
install(TARGETS ${packaged_programs} RUNTIME DESTINATION . COMPONENT program EXCLUDE_FROM_ALL)
install(FILES ${users_text} DESTINATION . COMPONENT program EXCLUDE_FROM_ALL)
# The project's licence, and the licences of the code of others that the
# tools carry (Asio and CLI11; street_names carries none).
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt
    COMPONENT program EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/third_party/asio/COPYRIGHT DESTINATION licenses
    RENAME asio.txt COMPONENT program EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/third_party/cli11/COPYRIGHT DESTINATION licenses
    RENAME CLI11.txt COMPONENT program EXCLUDE_FROM_ALL)
# The manual pages, where help2man made them (Linux only).
include(${CMAKE_CURRENT_LIST_DIR}/manual_pages.cmake)
if(manual_page_files)
    install(FILES ${manual_page_files} DESTINATION man/man1 COMPONENT program EXCLUDE_FROM_ALL)
endif()
include(CPack)
