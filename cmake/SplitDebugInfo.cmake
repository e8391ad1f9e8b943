# Run at install time on an installed program PROGRAM with the toolchain's OBJCOPY: copies its
# debug information to PROGRAM.debug, strips the program, and adds a debug link (the file's
# name and checksum) so a debugger looking at the program finds the file beside it.
get_filename_component(program "${PROGRAM}" ABSOLUTE)
get_filename_component(dir "${program}" DIRECTORY)
get_filename_component(name "${program}" NAME)

function(quillon_objcopy)
  execute_process(COMMAND "${OBJCOPY}" ${ARGN} WORKING_DIRECTORY "${dir}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJCOPY} ${ARGN} failed (${rc}) in ${dir}")
  endif()
endfunction()

message(STATUS "Splitting debug information: ${program} -> ${name}.debug")
quillon_objcopy(--only-keep-debug "${name}" "${name}.debug")
quillon_objcopy(--strip-all "${name}")
quillon_objcopy("--add-gnu-debuglink=${name}.debug" "${name}")
