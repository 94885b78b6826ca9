# Native: Debian's packaged GoogleTest. Windows: built from the sources that
# Debian's googletest package puts under /usr/src.
if(WIN32)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  add_library(tavo_gtest_main INTERFACE)
  target_link_libraries(tavo_gtest_main INTERFACE gtest_main gmock)
else()
  find_package(GTest REQUIRED)
  add_library(tavo_gtest_main INTERFACE)
  target_link_libraries(tavo_gtest_main INTERFACE GTest::gtest_main GTest::gmock)
endif()
