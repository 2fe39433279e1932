# refused_by(<output> <rule> <expected> <verdict>): sets <verdict> TRUE when
# <output> holds an error of CMake that names the include rule <rule>
# ("(include rule <rule>)", cmake/includerules.cmake) and says what the
# regular expression <expected> matches, both in that one error. A warning
# that says the same does not count: a rule turned into a warning refuses
# nothing, even where another rule still refuses the tree. With an empty
# <rule>, what <expected> matches anywhere in <output> is enough.
# CMake wraps a message's lines, so each error is matched with every run of
# blanks and line ends read as one blank.
function(refused_by output rule expected verdict)
  set(${verdict} FALSE PARENT_SCOPE)
  if(rule STREQUAL "")
    if(output MATCHES "${expected}")
      set(${verdict} TRUE PARENT_SCOPE)
    endif()
    return()
  endif()
  string(REPLACE ";" "<semicolon>" output "${output}")
  string(REPLACE "\n" ";" lines "${output}")
  # One error more at the end closes the last one.
  list(APPEND lines "CMake Error")
  set(error "")
  set(in_error FALSE)
  foreach(line IN LISTS lines)
    if(in_error AND (line STREQUAL "" OR line MATCHES "^ "))
      string(APPEND error " ${line}")
      continue()
    endif()
    if(in_error)
      string(REPLACE "<semicolon>" ";" error "${error}")
      string(REGEX REPLACE "[ \t]+" " " error "${error}")
      if(error MATCHES "\\(include rule ${rule}\\)" AND error MATCHES "${expected}")
        set(${verdict} TRUE PARENT_SCOPE)
        return()
      endif()
    endif()
    set(in_error FALSE)
    if(line MATCHES "^CMake Error")
      set(in_error TRUE)
      set(error "")
    endif()
  endforeach()
endfunction()
