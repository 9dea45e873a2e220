# Regenerates the area picture and compares it with the committed one.
execute_process(COMMAND ${AREA_MAP} ${FRESH} RESULT_VARIABLE drawn)
if(NOT drawn EQUAL 0)
    message(FATAL_ERROR "area_map failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${COMMITTED} ${FRESH}
    RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "docs/areas.svg is stale: regenerate it with area_map docs/areas.svg")
endif()
