# Cross build for 32-bit Windows with mingw-w64: the release and the Windows tier.
set(TAVROSK_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
