# What both toolchain files share: the mingw-w64 compilers of the posix
# threading model for TOOLCHAIN_PREFIX, and Wine as the emulator that runs
# what we build (PLEX_WINE_LOADER: the loader for that architecture).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

find_program(PLEX_WINE ${PLEX_WINE_LOADER} PATHS /usr/lib/wine)
if(PLEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PLEX_WINE})
endif()
