# Stages the release, checks the library, and writes the zip and the setup program.
#   -DVERSION -DOBJCOPY -DOBJDUMP -DZIP -DMAKENSIS -DLIBRARY=<Tavrosk.dll> -DTYPE_LIBRARY=<tlb>
#   -DHOST_FILES=<a|b> -DEXAMPLES=<a|b> -DDOCUMENTS=<README.txt|LICENSE> -DSTAGE=<folder>
#   -DZIP_FILE -DSETUP_FILE -DNSIS_SCRIPT -DBITS=<32|64>
cmake_minimum_required(VERSION 3.25)
foreach(tool OBJCOPY OBJDUMP ZIP MAKENSIS)
  if(NOT EXISTS "${${tool}}")
    message(FATAL_ERROR "${tool} is missing: run make dist, which installs it")
  endif()
endforeach()
foreach(list HOST_FILES EXAMPLES DOCUMENTS)
  string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()

# The largest Tavrosk.dll we ship, and the only libraries it may import: the system's.
set(size_limit 524288)
set(system_libraries ADVAPI32.dll KERNEL32.dll msvcrt.dll ole32.dll OLEAUT32.dll USER32.dll)

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}/ReferenceHost" "${STAGE}/Examples")
function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${STAGE}" COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# Tavrosk.dll without its debug information and symbols, which go to Tavrosk.dll.debug; the DLL
# names that file (with its checksum) so that a debugger finds it beside the DLL.
run("${OBJCOPY}" --only-keep-debug "${LIBRARY}" Tavrosk.dll.debug)
run("${OBJCOPY}" --strip-all --add-gnu-debuglink=Tavrosk.dll.debug "${LIBRARY}" Tavrosk.dll)
file(COPY_FILE "${TYPE_LIBRARY}" "${STAGE}/Tavrosk.tlb")

file(SIZE "${STAGE}/Tavrosk.dll" size)
# The 64-bit build exists only to run the tests where no 32-bit program runs: not shipped.
if(BITS EQUAL 32 AND size GREATER size_limit)
  message(FATAL_ERROR "Tavrosk.dll is ${size} bytes, more than ${size_limit}")
endif()
execute_process(COMMAND "${OBJDUMP}" -p "${STAGE}/Tavrosk.dll" OUTPUT_VARIABLE headers
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
list(TRANSFORM imports REPLACE "DLL Name: " "")
foreach(import IN LISTS imports)
  if(NOT import IN_LIST system_libraries)
    message(FATAL_ERROR "Tavrosk.dll imports ${import}, which is not a system library")
  endif()
endforeach()
execute_process(COMMAND "${OBJDUMP}" -h "${STAGE}/Tavrosk.dll" OUTPUT_VARIABLE sections)
if(sections MATCHES "\\.debug_" OR NOT sections MATCHES "\\.gnu_debuglink")
  message(FATAL_ERROR "Tavrosk.dll must have no debug sections and a .gnu_debuglink")
endif()

foreach(file IN LISTS HOST_FILES)
  get_filename_component(name "${file}" NAME)
  run("${OBJCOPY}" --strip-all "${file}" "ReferenceHost/${name}")
endforeach()
# Text files with Windows line ends: VB6 reads a module only so, and old editors show no other.
foreach(file IN LISTS EXAMPLES)
  get_filename_component(name "${file}" NAME)
  configure_file("${file}" "${STAGE}/Examples/${name}" @ONLY NEWLINE_STYLE CRLF)
endforeach()
foreach(file IN LISTS DOCUMENTS)
  get_filename_component(name "${file}" NAME_WE)
  configure_file("${file}" "${STAGE}/${name}.txt" @ONLY NEWLINE_STYLE CRLF)
endforeach()

# The installer's file lists, from what is staged: it installs and removes exactly these.
set(nsh "")
foreach(folder "" ReferenceHost Examples)
  file(GLOB files LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/${folder}/*")
  if(folder STREQUAL "")
    string(APPEND nsh "!macro LibraryFiles\n  SetOutPath \"$INSTDIR\"\n")
  else()
    string(APPEND nsh "!macro ${folder}Files\n  SetOutPath \"$INSTDIR\\${folder}\"\n")
  endif()
  foreach(file IN LISTS files)
    string(APPEND nsh "  File \"${STAGE}/${file}\"\n")
  endforeach()
  string(APPEND nsh "!macroend\n")
  foreach(file IN LISTS files)
    string(REPLACE "/" "\\" file "${file}")
    string(APPEND removals "  Delete \"$INSTDIR\\${file}\"\n")
  endforeach()
endforeach()
string(APPEND nsh "!macro RemoveFiles\n${removals}!macroend\n")
get_filename_component(work "${STAGE}" DIRECTORY)
file(WRITE "${work}/files.nsh" "${nsh}")

get_filename_component(dist "${ZIP_FILE}" DIRECTORY)
file(MAKE_DIRECTORY "${dist}")
file(REMOVE "${ZIP_FILE}" "${SETUP_FILE}")
get_filename_component(top "${STAGE}" NAME)
execute_process(COMMAND "${ZIP}" -q -r -X "${ZIP_FILE}" "${top}" WORKING_DIRECTORY "${work}"
                COMMAND_ERROR_IS_FATAL ANY)
set(nsis_target "")
if(BITS EQUAL 64)
  set(nsis_target -DAMD64)
endif()
execute_process(COMMAND "${MAKENSIS}" -V2 ${nsis_target} -DVERSION=${VERSION} -DSTAGE=${STAGE} -DFILES=${work}/files.nsh
                        -DOUTFILE=${SETUP_FILE} "${NSIS_SCRIPT}" COMMAND_ERROR_IS_FATAL ANY)

foreach(file "${STAGE}/Tavrosk.dll" "${STAGE}/Tavrosk.dll.debug" "${ZIP_FILE}" "${SETUP_FILE}")
  file(SIZE "${file}" bytes)
  get_filename_component(name "${file}" NAME)
  message(STATUS "${name}: ${bytes} bytes")
endforeach()
