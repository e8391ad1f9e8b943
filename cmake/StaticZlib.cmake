# zlib for Windows programs: the static libz.a of the MinGW-w64 zlib package, so a program needs
# no DLL beside it. Included by the build and by the installed engine package's config file, so
# a program that uses the engine links zlib exactly as the engine's own programs do.
if(NOT TARGET ZLIB::ZLIB)
  find_library(QUILLON_ZLIB_STATIC NAMES libz.a REQUIRED)
  add_library(ZLIB::ZLIB STATIC IMPORTED)
  set_target_properties(ZLIB::ZLIB PROPERTIES IMPORTED_LOCATION ${QUILLON_ZLIB_STATIC})
endif()
