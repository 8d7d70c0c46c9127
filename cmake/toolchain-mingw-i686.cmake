# The 32-bit Windows build.
set(CMAKE_SYSTEM_PROCESSOR i686)
# Every Windows the program runs on has SSE2; the About window's blur relies on it for speed.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
