# Native: Debian's packaged GoogleTest. Windows: built from the sources that
# Debian's googletest package puts under /usr/src.
if(WIN32)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  add_library(tavo_gtest_main INTERFACE)
  target_link_libraries(tavo_gtest_main INTERFACE gtest_main gmock)
  # Wine prefix private to this build tree, created once as a build step.
  set(TAVO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE @ONLY)
  add_custom_command(
    OUTPUT ${TAVO_WINEPREFIX}/.tavo-ready
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-wineprefix.sh ${TAVO_WINEPREFIX}
    COMMENT "Creating the private Wine prefix"
    VERBATIM)
  add_custom_target(wineprefix ALL DEPENDS ${TAVO_WINEPREFIX}/.tavo-ready)
else()
  find_package(GTest REQUIRED)
  add_library(tavo_gtest_main INTERFACE)
  target_link_libraries(tavo_gtest_main INTERFACE GTest::gtest_main GTest::gmock)
endif()
