# Draws a skin into OUT (Quillon's own, or with THEME=--dark the dark one) and fails unless it
# gives exactly the committed files of SKIN.
include(${CMAKE_CURRENT_LIST_DIR}/SkinFolderMatches.cmake)
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${TOOL}" ${THEME} "${OUT}" RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "draw_quillon_skin failed (${rc})")
endif()
skin_folder_matches("${OUT}" "${SKIN}" "run draw_quillon_skin ${THEME} ${SKIN} and commit the result")
