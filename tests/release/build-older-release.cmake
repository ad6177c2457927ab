# Builds the release of these sources as an older version, in build folders of its own (the
# 32-bit one and its 64-bit companion), for the upgrade test.
#   -DSOURCE=<source folder> -DBUILD=<its build folder> -DVERSION=<the older version>
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${BUILD}/CMakeCache.txt")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" --preset win32 -B "${BUILD}" -DTAVROSK_VERSION_OVERRIDE=${VERSION}
            -DTAVROSK_TESTS=OFF -DTAVROSK_COMPANION_BUILD=${BUILD}-win64
            -DTAVROSK_DIST_DIR=${BUILD}/dist
    WORKING_DIRECTORY "${SOURCE}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD}" -j 2 --target dist
                COMMAND_ERROR_IS_FATAL ANY)
