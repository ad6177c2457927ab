# tavrosk_version_resource(TARGET DESCRIPTION): gives a Windows binary its version resource,
# with the project's version, the product name "Tavrosk" and the binary's own file name.
function(tavrosk_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(TAVROSK_FILE_TYPE VFT_DLL)
  else()
    set(TAVROSK_FILE_TYPE VFT_APP)
  endif()
  set(TAVROSK_FILE_DESCRIPTION "${description}")
  set(TAVROSK_TARGET ${target})
  set(configured ${PROJECT_BINARY_DIR}/version_resources/${target}.rc.in)
  set(resource ${PROJECT_BINARY_DIR}/version_resources/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${configured} @ONLY)
  # The file name comes from the target, whatever it is called.
  file(GENERATE OUTPUT ${resource} INPUT ${configured})
  target_sources(${target} PRIVATE ${resource})
endfunction()
