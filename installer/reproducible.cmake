# What makes two packagings of one commit byte for byte the same, for make-dist.cmake: every
# file dated by the commit, the zip's entries in one order without the packer's own extras, and
# the checksums that let anyone compare.

# Sets ENV{SOURCE_DATE_EPOCH} (which the tools below read, objcopy and makensis among them) from
# the environment, or else from the last commit of `source_dir`, or else 1980-01-01, the first
# date a zip entry can carry.
function(tavrosk_source_date_epoch source_dir)
  if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    execute_process(COMMAND git -C "${source_dir}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE result ERROR_QUIET)
    if(NOT result EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
      set(epoch 315532800)
    endif()
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
  endif()
  set(ENV{TZ} UTC)
endfunction()

# The staged tree as a zip: entries by name in byte order, each file dated SOURCE_DATE_EPOCH,
# no folder entries and no Unix extras (owner, access times), all under the stage's own name.
function(tavrosk_reproducible_zip zip stage zip_file)
  get_filename_component(work "${stage}" DIRECTORY)
  get_filename_component(top "${stage}" NAME)
  file(GLOB_RECURSE files LIST_DIRECTORIES true RELATIVE "${work}" "${stage}/*")
  list(APPEND files "${top}")
  execute_process(COMMAND touch --no-dereference -d "@$ENV{SOURCE_DATE_EPOCH}" ${files}
                  WORKING_DIRECTORY "${work}" COMMAND_ERROR_IS_FATAL ANY)
  list(SORT files COMPARE STRING)
  set(names "")
  foreach(file IN LISTS files)
    if(NOT IS_DIRECTORY "${work}/${file}")
      string(APPEND names "${file}\n")
    endif()
  endforeach()
  file(WRITE "${work}/zip-entries.txt" "${names}")
  execute_process(COMMAND "${zip}" -q -X -D "${zip_file}" -@ WORKING_DIRECTORY "${work}"
                  INPUT_FILE "${work}/zip-entries.txt" COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# SHA256SUMS of the given files, in the format that `sha256sum -c` checks.
function(tavrosk_write_checksums checksums_file)
  set(lines "")
  foreach(file IN LISTS ARGN)
    file(SHA256 "${file}" hash)
    get_filename_component(name "${file}" NAME)
    string(APPEND lines "${hash}  ${name}\n")
  endforeach()
  file(WRITE "${checksums_file}" "${lines}")
endfunction()
