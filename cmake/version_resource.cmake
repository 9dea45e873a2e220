# Windows version resources: the product, a one-line description, the file
# and product versions and the original file name, which Explorer shows in a
# file's Properties. Made from the project's version, so they cannot drift.
# On every platform the description is also kept as the program's
# PROGRAM_DESCRIPTION, which its manual page takes as its NAME line.
if(NOT WIN32)
    function(add_version_resource target description)
        set_target_properties(${target} PROPERTIES PROGRAM_DESCRIPTION "${description}")
    endfunction()
    return()
endif()

enable_language(RC)

# Gives `target` (a program) a version resource with `description`.
function(add_version_resource target description)
    set_target_properties(${target} PROPERTIES PROGRAM_DESCRIPTION "${description}")
    set(VERSION_TARGET ${target})
    set(VERSION_DESCRIPTION ${description})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
