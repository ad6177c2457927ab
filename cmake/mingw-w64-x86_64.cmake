# Cross build for 64-bit Windows with mingw-w64: the Windows tier on a machine whose kernel runs
# no 32-bit programs, where only 64-bit Wine can run the tests. The same sources as the 32-bit
# build; the release is always the 32-bit one.
set(TAVROSK_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
