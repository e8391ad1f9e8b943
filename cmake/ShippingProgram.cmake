# quillon_install_shipping(TARGET): installs a Windows program as users get it, into bin/
# (install component "Programs"). The build keeps the program whole for testing and debugging;
# the installed copy is stripped, and its debug information goes to NAME.exe.debug beside it,
# which the program names through a debug link so a debugger still finds it. Without an objcopy
# in the toolchain the program is installed as built.
function(quillon_install_shipping target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Programs)
  if(CMAKE_OBJCOPY)
    install(CODE "
      set(PROGRAM \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${target}>\")
      set(OBJCOPY \"${CMAKE_OBJCOPY}\")
      include(\"${CMAKE_CURRENT_FUNCTION_LIST_DIR}/SplitDebugInfo.cmake\")"
      COMPONENT Programs)
  endif()
endfunction()
