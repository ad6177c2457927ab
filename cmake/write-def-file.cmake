# Writes the module-definition file of the reference plug-in manager library: every export of
# the export list that the host's export objects define, by its plain name.
#   -DNM=<nm> -DEXPORT_LIST=<export_list.h> -DOBJECTS=<obj|obj> -DOUTPUT=<file.def>
#   [-DOMIT=<name;name>] leaves exports out, for a library that lacks them on purpose.
cmake_minimum_required(VERSION 3.25)
file(READ "${EXPORT_LIST}" list_text)
string(REGEX MATCHALL "X\\(([A-Za-z0-9_]+)," listed "${list_text}")
string(REGEX REPLACE "X\\(([A-Za-z0-9_]+)," "\\1" listed "${listed}")

set(defined "")
string(REPLACE "|" ";" OBJECTS "${OBJECTS}")
foreach(object IN LISTS OBJECTS)
  execute_process(COMMAND "${NM}" -g --defined-only "${object}" OUTPUT_VARIABLE symbols
                  COMMAND_ERROR_IS_FATAL ANY)
  # stdcall functions of C linkage appear as _Name@bytes on 32-bit Windows, as Name on 64-bit
  # (one calling convention there).
  string(REGEX MATCHALL "[0-9a-fA-F]+ T _?[A-Za-z0-9_]+(@[0-9]+)?" functions "${symbols}")
  list(APPEND defined ${functions})
endforeach()

set(lines "LIBRARY Zavoplex.dll\nEXPORTS\n")
foreach(symbol IN LISTS defined)
  if(symbol MATCHES " T _([A-Za-z0-9_]+)@([0-9]+)$")
    set(name "${CMAKE_MATCH_1}")
    set(target " = ${CMAKE_MATCH_1}@${CMAKE_MATCH_2}")
  elseif(symbol MATCHES " T ([A-Za-z0-9_]+)$")
    set(name "${CMAKE_MATCH_1}")
    set(target "")
  else()
    continue()
  endif()
  if(name IN_LIST listed AND NOT name IN_LIST OMIT)
    string(APPEND lines "  ${name}${target}\n")
  endif()
endforeach()
file(WRITE "${OUTPUT}.new" "${lines}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
