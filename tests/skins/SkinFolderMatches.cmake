# skin_folder_matches(MADE SKIN REMEDY): fails unless the folder MADE holds exactly the pictures
# and the description of the committed skin folder SKIN, byte for byte; REMEDY says how to
# bring the committed files in step.
function(skin_folder_matches made skin remedy)
  file(GLOB produced RELATIVE "${made}" "${made}/*")
  file(GLOB committed RELATIVE "${skin}" "${skin}/*.bmp" "${skin}/*.ini")
  list(SORT produced)
  list(SORT committed)
  if(NOT produced STREQUAL committed)
    message(FATAL_ERROR "${made} holds (${produced}), ${skin} (${committed}); ${remedy}")
  endif()
  foreach(name IN LISTS produced)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${made}/${name}" "${skin}/${name}" RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
      message(FATAL_ERROR "${name} in ${made} differs from ${skin}/${name}; ${remedy}")
    endif()
  endforeach()
endfunction()
