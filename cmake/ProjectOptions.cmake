# Compiler settings every target of the project shares.
function(quillon_target_options target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(QUILLON_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
  if(WIN32)
    # Unicode Win32 throughout; no min/max macros from <windows.h>.
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
  endif()
endfunction()

# A portable library: never includes <windows.h>, builds natively and for Windows. Its headers
# are included by their path from the source tree's top (the installed package keeps that
# layout, see cmake/EngineInstall.cmake).
function(quillon_library target)
  add_library(${target} STATIC ${ARGN})
  quillon_target_options(${target})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
endfunction()
