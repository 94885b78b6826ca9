# Windows builds: test programs run under Wine in a prefix private to this
# build tree, of the target's width (win32 or win64). The prefix is made by
# the "wineprefix" test, which every Wine test requires as a fixture, not by
# the build: a host that cannot run this width's Wine still builds
# everything and runs the checks that only read the binaries (label "pe").
if(NOT WIN32)
  return()
endif()
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TAVO_WINEARCH win64)
else()
  set(TAVO_WINEARCH win32)
endif()
set(TAVO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
               @ONLY)

add_test(NAME wineprefix
         COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/make-wineprefix.sh ${TAVO_WINEARCH} ${TAVO_WINEPREFIX})
set_tests_properties(wineprefix PROPERTIES FIXTURES_SETUP wineprefix LABELS wine TIMEOUT 300)

# tavo_wine_test(<test>...): the tests run Windows programs under Wine.
function(tavo_wine_test)
  set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wineprefix LABELS wine)
endfunction()

# tavo_pe_check(<test>...): the tests only read the built binaries.
function(tavo_pe_check)
  set_tests_properties(${ARGN} PROPERTIES LABELS pe)
endfunction()
