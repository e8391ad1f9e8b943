# Cross-compiling for 32-bit Windows with MinGW-w64. These machines cannot run 32-bit
# programs, so this build is only compiled, never tested here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUILLON_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
