# Builds the 64-bit Tavrosk.dll and host program in the win64 build for the 32-bit build's
# release, configuring that build first when it has not been.
#   -DSOURCE=<source folder> -DBUILD=<the win64 build folder>
#   -DCONFIGURE_ARGUMENTS=<a|b>: more cache settings for a build of its own (an older version's)
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${BUILD}/CMakeCache.txt")
  string(REPLACE "|" ";" CONFIGURE_ARGUMENTS "${CONFIGURE_ARGUMENTS}")
  execute_process(COMMAND "${CMAKE_COMMAND}" --preset win64 -B "${BUILD}" ${CONFIGURE_ARGUMENTS}
                  WORKING_DIRECTORY "${SOURCE}" COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD}" -j 2 --target Tavrosk
                        korvex_relay_tool COMMAND_ERROR_IS_FATAL ANY)
