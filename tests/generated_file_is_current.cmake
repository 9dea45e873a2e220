# Regenerates a generated file of the repository with its GENERATOR into
# FRESH and compares it with the COMMITTED one; a difference fails, saying
# how to regenerate it.
execute_process(COMMAND ${GENERATOR} ${FRESH} RESULT_VARIABLE made)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${COMMITTED} ${FRESH}
    RESULT_VARIABLE differs)
if(differs)
    get_filename_component(generator ${GENERATOR} NAME_WE)
    message(FATAL_ERROR "${COMMITTED} is stale: regenerate it with ${generator} ${COMMITTED}")
endif()
