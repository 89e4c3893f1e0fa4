# Cross-build for 32-bit Windows, the program we ship, and run what we build
# under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(PLEX_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
