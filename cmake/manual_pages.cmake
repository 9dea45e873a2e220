# Manual pages for the programs of the Linux archive, made at build time by
# help2man from each program's --help and --version, so that they say what
# the programs say; the NAME line is the program's PROGRAM_DESCRIPTION. Where
# help2man is not installed the archive goes without them. Windows builds,
# whose users have no manual, and the sanitizer builds, which are never
# packaged, make none.
#   manual_page_files: the pages, for the archive (empty without them).
set(manual_page_files)
if(WIN32 OR CMAKE_CXX_FLAGS MATCHES "sanitize")
    return()
endif()
find_program(HELP2MAN help2man)
if(NOT HELP2MAN)
    return()
endif()

set(manual_folder ${CMAKE_BINARY_DIR}/man/man1)
foreach(program street_names fake_lfs insim_tap insim_check)
    get_target_property(description ${program} PROGRAM_DESCRIPTION)
    # A NAME line reads "fake_lfs - stand-in for ...".
    string(SUBSTRING "${description}" 0 1 first)
    string(SUBSTRING "${description}" 1 -1 rest)
    string(TOLOWER "${first}" first)
    set(page ${manual_folder}/${program}.1)
    add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${manual_folder}
        COMMAND ${HELP2MAN} --no-info --section=1 "--name=${first}${rest}"
            --output=${page} $<TARGET_FILE:${program}>
        DEPENDS ${program}
        COMMENT "Writing the manual page of ${program}"
        VERBATIM)
    list(APPEND manual_page_files ${page})
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${manual_page_files})
