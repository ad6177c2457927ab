# What the 32-bit and 64-bit mingw-w64 cross builds share. The -posix compilers give std::thread
# and std::mutex; everything is linked statically so the programs need only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TAVROSK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVROSK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVROSK_MINGW_PREFIX}-windres)
set(CMAKE_NM ${TAVROSK_MINGW_PREFIX}-nm)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVROSK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the test programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
