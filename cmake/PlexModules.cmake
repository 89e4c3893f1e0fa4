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
