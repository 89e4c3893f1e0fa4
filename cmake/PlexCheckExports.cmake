# Run after a DLL is linked: the names in its export table, as objdump lists
# them, must be exactly the names its .def file gives (no decoration, nothing
# more, nothing less). Arguments: OBJDUMP, DLL, DEF.
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[ 0-9]+\\] [^\n]*\n)*)" table "${dump}")
# Brackets would confuse CMake's lists: take the names out of the lines first.
string(REGEX REPLACE "[ \t]*\\[[ 0-9]+\\] ([^\n]*)\n" "\\1;" exported "${CMAKE_MATCH_1}")
list(REMOVE_ITEM exported "")
list(SORT exported)

file(STRINGS ${DEF} lines)
set(expected "")
set(in_exports FALSE)
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^;")
    continue()
  elseif(line STREQUAL "EXPORTS")
    set(in_exports TRUE)
  elseif(in_exports)
    string(REGEX REPLACE "[ \t@=].*" "" name "${line}")
    list(APPEND expected ${name})
  endif()
endforeach()
list(SORT expected)

if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "${DLL} exports\n  ${exported}\nbut ${DEF} lists\n  ${expected}")
endif()
