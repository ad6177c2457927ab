# The release's signing settings, from make dist's command line (docs/release.md): with a
# certificate, make-dist.cmake signs every shipped binary, the uninstaller and the setup program.
# Sets signing_arguments for make-dist.cmake, and signing_inputs, on which the release depends
# so that it is packaged again when the settings or the certificate change.
set(TAVROSK_SIGN_PFX "" CACHE FILEPATH "The signing certificate with its key (PKCS#12); none: unsigned")
set(TAVROSK_SIGN_PASSWORD_FILE "" CACHE FILEPATH "The file holding the certificate's password")
set(TAVROSK_SIGN_TIMESTAMP_URL "" CACHE STRING "An RFC 3161 time-stamping server (optional)")
find_program(TAVROSK_OSSLSIGNCODE osslsigncode)

set(signing_arguments -DOSSLSIGNCODE=${TAVROSK_OSSLSIGNCODE} -DSIGN_PFX=${TAVROSK_SIGN_PFX}
                      -DSIGN_PASSWORD_FILE=${TAVROSK_SIGN_PASSWORD_FILE}
                      -DSIGN_TIMESTAMP_URL=${TAVROSK_SIGN_TIMESTAMP_URL})
set(signing_settings ${CMAKE_CURRENT_BINARY_DIR}/signing-settings.txt)
file(CONFIGURE OUTPUT ${signing_settings} CONTENT "${signing_arguments}\n")
set(signing_inputs ${signing_settings} ${CMAKE_CURRENT_SOURCE_DIR}/sign.cmake
                   ${CMAKE_CURRENT_SOURCE_DIR}/reproducible.cmake)
if(TAVROSK_SIGN_PFX)
  list(APPEND signing_inputs ${TAVROSK_SIGN_PFX})
endif()
