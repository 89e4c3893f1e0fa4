# Cross-build for 64-bit Windows: the same sources as the 32-bit program,
# run under 64-bit Wine (whose loader wine64 sits in Wine's library folder).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(PLEX_WINE_LOADER wine64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
