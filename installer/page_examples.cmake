# The example files that a page shows whole, taken from the page itself so that the shipped file
# and the one the page shows (and the Windows tier runs) cannot differ: each block marked
# "<!-- run: save NAME -->" whose NAME starts with PREFIX is written to FOLDER as NAME, and its
# path appended to the list OUT. CMake runs again when the page changes.
function(tavrosk_page_examples page prefix folder out)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${page})
  file(READ ${page} rest)
  set(files "")
  while(TRUE)
    string(REGEX MATCH "<!-- run: save (${prefix}[^ ]*) -->\n```[^\n]*\n" head "${rest}")
    if(NOT head)
      break()
    endif()
    set(name ${CMAKE_MATCH_1})
    string(FIND "${rest}" "${head}" at)
    string(LENGTH "${head}" length)
    math(EXPR at "${at} + ${length}")
    # The block runs to the fence that starts a line; an empty block ends where it starts.
    string(SUBSTRING "\n${rest}" ${at} -1 rest)
    string(FIND "${rest}" "\n```" end)
    string(SUBSTRING "${rest}" 1 ${end} body)
    string(SUBSTRING "${rest}" 1 -1 rest)
    file(WRITE ${folder}/${name} "${body}")
    list(APPEND files ${folder}/${name})
  endwhile()
  set(${out} ${${out}} ${files} PARENT_SCOPE)
endfunction()
