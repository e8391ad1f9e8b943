# Unpacks the committed compressed skin file PACKED into OUT and fails unless it holds exactly
# the pictures and the description of the skin folder SKIN: the packed file a program carries
# is the skin its folder shows.
include(${CMAKE_CURRENT_LIST_DIR}/SkinFolderMatches.cmake)
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${SKINTOOL}" unpack "${PACKED}" -o "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "skintool unpack ${PACKED} failed (${rc})")
endif()
skin_folder_matches("${OUT}" "${SKIN}" "run skintool pack ${SKIN}/skin.ini -o ${PACKED} and commit the result")
