# cmake -DOBJDUMP=... -DDLL=... -P exact_exports.cmake
# The export name table must hold the eleven entry points, undecorated,
# and no other name.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${DLL}")
endif()
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${DLL} has no export name table")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
string(REGEX REPLACE "\n[ \t]*\n.*" "" table "${table}")  # up to the first blank line
# Brackets would confuse CMake's lists: "[  3] Name" becomes "#3 Name".
string(REGEX REPLACE "\\[ *([0-9]+)\\]" "#\\1" table "${table}")
string(REGEX MATCHALL "#[0-9]+[ \t]+[^ \t\n]+" entries "${table}")
set(names)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^#[0-9]+[ \t]+" "" name "${entry}")
  list(APPEND names ${name})
endforeach()
list(SORT names)
set(want ClosePort Clear CreatePort DeletePort GetASBState GetInputBufferCount IsPowerState OpenPort Read
         SetDeviceOption Write)
list(SORT want)
if(NOT names STREQUAL want)
  message(FATAL_ERROR "${DLL} exports [${names}], not exactly [${want}]")
endif()
message(STATUS "${DLL} exports exactly the eleven entry points")
