# Helpers for the kinds of module the project makes.

# plex_add_gtest(<name> SOURCES ... [LIBS ...] [RC ...])
# A GoogleTest executable run by ctest through Wine. The test support library
# brings main() with the consistency-check and message-box seams installed.
function(plex_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;RC" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RC})
  target_link_libraries(${name} PRIVATE plextest ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES
    TIMEOUT 600
    ENVIRONMENT "WINEDEBUG=-all;WINEPREFIX=${PLEX_WINEPREFIX}")
endfunction()

if(NOT PLEX_WINEPREFIX)
  if(DEFINED ENV{WINEPREFIX})
    set(PLEX_WINEPREFIX $ENV{WINEPREFIX})
  else()
    set(PLEX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  endif()
endif()

# plex_add_dll(<name> DEF <file.def> SOURCES ... [LIBS ...] [RC ...])
# A DLL named <name>.dll that exports exactly the plain C functions its
# .def file lists, linked statically against everything but the system
# DLLs (the C runtime msvcrt among them). Other targets link <name> and
# get its import library.
function(plex_add_dll name)
  cmake_parse_arguments(D "" "DEF" "SOURCES;LIBS;RC" ${ARGN})
  if(NOT D_DEF)
    message(FATAL_ERROR "plex_add_dll(${name}): DEF <file.def> is required")
  endif()
  get_filename_component(def ${D_DEF} ABSOLUTE)
  add_library(${name} SHARED ${D_SOURCES} ${D_RC})
  target_link_libraries(${name} PRIVATE ${D_LIBS})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    IMPORT_PREFIX "lib"
    IMPORT_SUFFIX ".dll.a"
    LINK_DEPENDS ${def})
  # Only the .def names leave the DLL: no automatic export of other symbols.
  target_link_options(${name} PRIVATE ${def} -Wl,--exclude-all-symbols)
endfunction()
