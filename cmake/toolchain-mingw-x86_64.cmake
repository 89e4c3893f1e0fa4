# Cross-build for 64-bit Windows with mingw-w64 (posix threading model): the
# same sources as the 32-bit program, run under 64-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

find_program(PLEX_WINE wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT PLEX_WINE)
  find_program(PLEX_WINE wine64)
endif()
if(PLEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PLEX_WINE})
endif()
