# Authenticode signing of the release's binaries (SHA-256) with osslsigncode, in place.
#   -DOSSLSIGNCODE -DSIGN_PFX=<certificate and key, PKCS#12> -DSIGN_PASSWORD_FILE=<its password>
#   -DSIGN_TIMESTAMP_URL=<an RFC 3161 time-stamping server; none: no timestamp>
# make-dist.cmake includes it; the setup program's build runs it alone on the uninstaller
# (-DFILE=<binary>), which NSIS then embeds signed.
cmake_minimum_required(VERSION 3.25)

function(tavrosk_sign file)
  set(timestamp "")
  if(SIGN_TIMESTAMP_URL)
    set(timestamp -ts "${SIGN_TIMESTAMP_URL}")
  endif()
  set(signed "${file}.signed")
  file(REMOVE "${signed}")
  execute_process(
    COMMAND "${OSSLSIGNCODE}" sign -pkcs12 "${SIGN_PFX}" -readpass "${SIGN_PASSWORD_FILE}"
            -h sha256 -n Tavrosk ${timestamp} -in "${file}" -out "${signed}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    file(REMOVE "${signed}")
    message(FATAL_ERROR "Signing ${file} failed:\n${output}")
  endif()
  file(RENAME "${signed}" "${file}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  tavrosk_sign("${FILE}")
endif()
