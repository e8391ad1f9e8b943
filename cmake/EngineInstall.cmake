# The skin engine as an installed package. `cmake --install` puts in place:
#   include/quillon/framework/..., include/quillon/skin/<part>/...   the public headers, in the
#       source tree's layout, so `#include "skin/form/VeneerForm_win.h"` reads as in the tree
#       (natively without the Win32 halves, which do not exist there);
#   lib/                                  the engine's static libraries;
#   lib/cmake/QuillonSkin/                the package: find_package(QuillonSkin CONFIG REQUIRED)
#       and one target to link, Quillon::SkinEngine;
#   share/QuillonSkin/skins/              the packed skins this project draws (quillon.vsk,
#       dark.vsk), for a program to carry; the config file names the folder QuillonSkin_SKINS_DIR.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(quillon_engine_libraries framework_core skin_data skin_imaging skin_form skin_menus skin_controls)
set(quillon_header_filter PATTERN "*.h")
if(WIN32)
  list(APPEND quillon_engine_libraries
       framework_win skin_data_win skin_imaging_win skin_form_win skin_menus_win skin_controls_win)
else()
  list(APPEND quillon_header_filter PATTERN "*_win.h" EXCLUDE)
endif()

set(quillon_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/QuillonSkin)
set(QUILLON_SKINS_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/QuillonSkin/skins)

install(TARGETS ${quillon_engine_libraries} quillon_skin_engine
        EXPORT QuillonSkinTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillon)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/framework ${PROJECT_SOURCE_DIR}/skin
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillon
        FILES_MATCHING ${quillon_header_filter})
install(FILES ${PROJECT_SOURCE_DIR}/skins/quillon/quillon.vsk ${PROJECT_SOURCE_DIR}/skins/dark/dark.vsk
        DESTINATION ${QUILLON_SKINS_INSTALL_DIR})

install(EXPORT QuillonSkinTargets NAMESPACE Quillon:: DESTINATION ${quillon_package_dir})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuillonSkinConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuillonSkinConfig.cmake
  INSTALL_DESTINATION ${quillon_package_dir}
  PATH_VARS QUILLON_SKINS_INSTALL_DIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuillonSkinConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuillonSkinConfig.cmake
              ${PROJECT_BINARY_DIR}/QuillonSkinConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/StaticZlib.cmake
        DESTINATION ${quillon_package_dir})
