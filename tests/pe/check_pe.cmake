# cmake -DOBJDUMP=... -DFILE=... -DFORMAT=pei-i386|pei-x86-64 [-DEXPORTS=a;b] -P check_pe.cmake
# A shipped binary is of the build's width, imports only DLLs every Windows
# has (the C++ runtime and threads are linked in; USP10 is the system text
# shaping every Windows ships), carries a version block
# and exports what its loaders look up by name.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${FILE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${FILE}")
endif()
if(NOT dump MATCHES "file format ${FORMAT}\n")
  string(REGEX MATCH "file format [^\n]*" found "${dump}")
  message(FATAL_ERROR "${FILE}: ${found}, expected ${FORMAT}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
set(system KERNEL32 USER32 GDI32 ADVAPI32 OLE32 OLEAUT32 WS2_32 VERSION SHELL32 COMCTL32 COMDLG32 SETUPAPI WINDOWSCODECS
           MSVCRT SHLWAPI WINSPOOL CFGMGR32 HID USP10)
foreach(entry IN LISTS imports)
  string(REGEX REPLACE "DLL Name: ([^.]+)\\..*" "\\1" dll "${entry}")
  string(TOUPPER "${dll}" dll)
  if(NOT dll IN_LIST system AND NOT dll MATCHES "^API-MS-WIN-")
    message(FATAL_ERROR "${FILE} imports ${entry}: a runtime DLL the till may not have")
  endif()
endforeach()

foreach(name IN LISTS EXPORTS)
  if(NOT dump MATCHES "\\][ \t]+${name}\n")
    message(FATAL_ERROR "${FILE} does not export ${name}")
  endif()
endforeach()
# The version block's strings are UTF-16 in the resource section.
file(STRINGS ${FILE} version ENCODING UTF-16LE REGEX "^(FileVersion|ProductVersion|FileDescription)$")
list(LENGTH version found)
if(found LESS 3)
  message(FATAL_ERROR "${FILE} carries no version block (file and product version, description)")
endif()

list(LENGTH imports count)
message(STATUS "${FILE}: ${FORMAT}, ${count} system imports, exports present")
