# Helpers shared by every folder.

# tavo_glob(<var> <dir>...): the .cpp files of the given folders, relative
# to the current source dir. Folders own their files; adding one needs no
# CMake edit.
function(tavo_glob var)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# tavo_test(<name> SOURCES ... LIBS ...): one GoogleTest program, run by
# ctest as one entry (under Wine through the cross-compiling emulator).
function(tavo_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} tavo_gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=0)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(WIN32)
    tavo_wine_test(${name})
  endif()
endfunction()

# tavo_library(<name> DIRS ... LIBS ...): a static library of the folders'
# .cpp files (an interface library while a folder is still empty).
function(tavo_library name)
  cmake_parse_arguments(L "" "" "DIRS;LIBS" ${ARGN})
  tavo_glob(sources ${L_DIRS})
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_LIBS})
  endif()
endfunction()

# tavo_subdirs(<dir>...): adds each folder that has a CMakeLists.txt.
function(tavo_subdirs)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
