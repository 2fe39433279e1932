# Fails when one of FILES (a list) includes a Qt header: <QString>,
# <QtCore/...>, <qt6/...>.
#   cmake -DFILES="a.cpp;a.h" -P checknoqt.cmake
set(faults "")
foreach(file IN LISTS FILES)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "include[ \t]*[<\"](Q[A-Za-z0-9_]+|qt[0-9]*/[^>\"]*)[>\"/]")
      string(STRIP "${line}" line)
      string(APPEND faults "\n  ${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "A plain C++ file includes a Qt header (include rule no-qt-include):${faults}")
endif()
