# Runs icongen into a fresh directory and compares its output with the committed files.
# Arguments: ICONGEN (the tool), OUT_DIR (scratch directory), COMMITTED_DIR (resources).
set(expected taktomat.ico folder.bmp)
foreach(frame 01 02 03 04 05 06 07 08 09 10 11 12)
    list(APPEND expected frame${frame}.ico)
endforeach()

file(REMOVE_RECURSE "${OUT_DIR}")
file(MAKE_DIRECTORY "${OUT_DIR}")
execute_process(COMMAND "${ICONGEN}" "${OUT_DIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "icongen failed: ${status}")
endif()

file(GLOB written RELATIVE "${OUT_DIR}" "${OUT_DIR}/*")
list(SORT written)
set(sorted_expected ${expected})
list(SORT sorted_expected)
if(NOT written STREQUAL sorted_expected)
    message(FATAL_ERROR "icongen wrote [${written}], expected [${sorted_expected}]")
endif()

set(differing "")
foreach(name IN LISTS expected)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
        "${OUT_DIR}/${name}" "${COMMITTED_DIR}/${name}" RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
        list(APPEND differing ${name})
    endif()
endforeach()
if(differing)
    message(FATAL_ERROR "regenerated files differ from the committed ones: ${differing}")
endif()
message(STATUS "the 14 regenerated files match the committed ones")
