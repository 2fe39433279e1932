# Copies the small tree of tree/, breaks it as CASE says, configures and
# builds it, and prints what the build said. Passes when the intact tree
# builds, and when a broken one is refused (configuring or building fails)
# by the include rule RULE, in an error that says what EXPECTED matches
# (support/refusedby.cmake); a broken tree that builds fails, whatever was
# printed on the way, and so does one that another rule alone refused.
#   cmake -DCASE=<case> -DRULE=<rule> -DEXPECTED=<regex> -DWORK=<folder>
#         -DRULES_DIR=<cmake folder> -DGENERATOR=<generator> -DCOMPILER=<c++>
#         [-DQt6_DIR=<dir>] -P breakage.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../support/refusedby.cmake)
set(tree ${WORK}/tree)
file(REMOVE_RECURSE ${WORK})
file(COPY ${CMAKE_CURRENT_LIST_DIR}/tree/ DESTINATION ${tree})

function(append file text)
  file(APPEND ${tree}/${file} "${text}\n")
endfunction()

if(CASE STREQUAL "intact")
elseif(CASE STREQUAL "src_on_the_path")
  # More include folders than the libraries give.
  append(src/alerts/CMakeLists.txt
    "target_include_directories(alerts PRIVATE \${PROJECT_SOURCE_DIR}/src)")
  append(src/alerts/alerts.cpp "#include \"mainwindow/frmmain.h\"")
elseif(CASE STREQUAL "climb_to_a_window")
  append(src/alerts/alerts.cpp "#include \"../mainwindow/frmmain.h\"")
elseif(CASE STREQUAL "climb_to_its_own")
  append(src/alerts/alerts.cpp "#include \"../alerts/alerts.h\"")
elseif(CASE STREQUAL "qt_in_a_window_free_library" OR CASE STREQUAL "qt_by_its_file_name")
  # A library that links no Qt is window-free, even unmarked.
  append(src/reports/CMakeLists.txt "target_include_directories(prayer PRIVATE
    $<TARGET_PROPERTY:Qt6::Core,INTERFACE_INCLUDE_DIRECTORIES>)")
  if(CASE STREQUAL "qt_in_a_window_free_library")
    append(src/reports/prayertimes.cpp "#include <QString>")
  else()
    append(src/reports/prayertimes.cpp "#include <qstring.h>")
  endif()
elseif(CASE STREQUAL "folders_in_a_circle")
  # Every library links only what it includes, yet reports/ includes
  # mainwindow/, which includes reports/.
  append(src/mainwindow/CMakeLists.txt "add_library(mainwindow_common STATIC common.cpp)")
  append(src/mainwindow/common.h "#pragma once\nint common();")
  append(src/mainwindow/common.cpp "#include \"common.h\"\nint common() { return 2; }")
  append(src/reports/CMakeLists.txt "add_library(reportwindow STATIC reportwindow.cpp)
target_link_libraries(reportwindow PUBLIC mainwindow_common)")
  append(src/reports/reportwindow.cpp
    "#include \"mainwindow/common.h\"\nint reportwindow() { return common(); }")
else()
  message(FATAL_ERROR "No case ${CASE}")
endif()

set(qt "")
if(Qt6_DIR)
  set(qt -DQt6_DIR=${Qt6_DIR})
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${tree} -B ${WORK}/build -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${COMPILER} -DMIQATIX_CMAKE_DIR=${RULES_DIR} ${qt}
  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT failed)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build
    RESULT_VARIABLE failed OUTPUT_VARIABLE built ERROR_VARIABLE built)
  string(APPEND out "${built}")
endif()
message("${out}")
if(CASE STREQUAL "intact")
  if(failed)
    message(FATAL_ERROR "The intact tree did not build.")
  endif()
  message("BUILT")
elseif(NOT failed)
  message(FATAL_ERROR "The tree broken by ${CASE} built; the rules must refuse it.")
else()
  refused_by("${out}" "${RULE}" "${EXPECTED}" refused)
  if(NOT refused)
    message(FATAL_ERROR
      "The tree was refused, but not by an error of the include rule ${RULE} saying: ${EXPECTED}")
  endif()
endif()
