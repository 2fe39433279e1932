# Include rules.
#
# No folder of src/ is on every target's include path. Each library publishes
# its own headers, under their folder names ("engine/modjul.h"), in a folder of
# forwarding headers of its own, and a target sees the headers of the
# libraries it links and no others: an adhanbell file that includes a window
# of qamtar does not compile, since adhanbell links none of them. A library's
# headers are foo.h beside each foo.cpp it compiles, and the headers listed
# among its sources (those that have no source file).
#
# Libraries marked plain C++ (the engine and what it stands on) must not
# reach Qt: configuring fails when one links a Qt library, directly or
# through another library, and building fails when one of its files includes
# a Qt header. Every other target of src/ that links no Qt is held to plain
# C++ the same way at build time.
#
# The include folders are not the whole guard: a target may be given more of
# them. So after each target of src/ is compiled, its objects' dependency
# files (what the compiler really read) are checked: every header of src/ it
# read belongs to itself or to a library it links, a plain C++ target read no
# header of Qt, and no file of src/ names an include path with "../" (the
# forwarding headers below climb by design; they live in the build tree).
# Last, the folders of src/ that include one another must not form a circle.
#
# Each rule refuses with an error that names it, "(include rule <name>)":
# plain-links-no-qt, no-qt-include (checknoqt.cmake), linked-headers-only,
# plain-reads-no-qt, no-climbing (checkincludes.cmake) and no-folder-circle
# (checkfolders.cmake). The tests of each expect its name in that error, so
# a rule turned into a warning fails them even where another rule still
# refuses the same tree.

set(MIQATIX_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)
set(MIQATIX_INCLUDE_CHECK ${CMAKE_BINARY_DIR}/includecheck)
set(MIQATIX_INCLUDE_RULES_DIR ${CMAKE_CURRENT_LIST_DIR})

# The check reads the dependency files that the compiler writes beside each
# object; Ninja takes them into its own log and deletes them.
if(NOT CMAKE_GENERATOR MATCHES "Makefiles")
  message(FATAL_ERROR "Miqatix builds with a Makefile generator (not ${CMAKE_GENERATOR}): "
    "its include check reads the compiler's dependency files, which only these keep")
endif()

# miqatix_plain_cpp(<library>...): marks libraries that must not reach Qt.
function(miqatix_plain_cpp)
  set_property(GLOBAL APPEND PROPERTY MIQATIX_PLAIN_CPP ${ARGN})
endfunction()

function(_miqatix_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _miqatix_targets_below(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The headers a library publishes, as absolute paths.
function(_miqatix_library_headers target out)
  get_target_property(dir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  set(headers "")
  foreach(source IN LISTS sources)
    if(source MATCHES "^\\$<")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir} NORMALIZE OUTPUT_VARIABLE path)
    if(path MATCHES "\\.cpp$")
      string(REGEX REPLACE "\\.cpp$" ".h" path ${path})
      if(NOT EXISTS ${path})
        continue()
      endif()
    elseif(NOT path MATCHES "\\.h$")
      continue()
    endif()
    list(APPEND headers ${path})
  endforeach()
  set(${out} ${headers} PARENT_SCOPE)
endfunction()

# Every library target reachable through the link libraries of `target`.
function(_miqatix_link_closure target out)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(TARGET ${current})
      get_target_property(aliased ${current} ALIASED_TARGET)
      if(aliased)
        list(APPEND queue ${aliased})
      endif()
      get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
      get_target_property(type ${current} TYPE)
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(private ${current} LINK_LIBRARIES)
        list(APPEND links ${private})
      endif()
      foreach(link IN LISTS links)
        if(link AND NOT link MATCHES "NOTFOUND$" AND NOT link MATCHES "^\\$<")
          list(APPEND queue ${link})
        endif()
      endforeach()
    endif()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Call once, after every target of src/ is defined.
function(miqatix_apply_include_rules)
  set(src ${CMAKE_SOURCE_DIR}/src)
  set(written "")
  set(targets "")
  get_property(subdirs DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    cmake_path(IS_PREFIX src ${sub} below)
    if(below)
      _miqatix_targets_below(${sub} more)
      list(APPEND targets ${more})
    endif()
  endforeach()
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "STATIC_LIBRARY")
      continue()
    endif()
    set(folder ${MIQATIX_INCLUDE_ROOT}/${target})
    _miqatix_library_headers(${target} headers)
    foreach(header IN LISTS headers)
      file(RELATIVE_PATH name ${src} ${header})
      set(forward ${folder}/${name})
      cmake_path(GET forward PARENT_PATH forward_dir)
      file(RELATIVE_PATH relative ${forward_dir} ${header})
      file(CONFIGURE OUTPUT ${forward} CONTENT "#include \"${relative}\"\n")
      list(APPEND written ${forward})
    endforeach()
    target_include_directories(${target} PUBLIC ${folder})
  endforeach()
  # A header that moved to another library or went away leaves no way in.
  file(GLOB_RECURSE existing ${MIQATIX_INCLUDE_ROOT}/*)
  foreach(file IN LISTS existing)
    if(NOT file IN_LIST written)
      file(REMOVE ${file})
    endif()
  endforeach()

  get_property(marked GLOBAL PROPERTY MIQATIX_PLAIN_CPP)
  foreach(target IN LISTS marked)
    _miqatix_link_closure(${target} closure)
    foreach(link IN LISTS closure)
      if(link MATCHES "^Qt[0-9]*::")
        message(FATAL_ERROR "${target} is plain C++ but reaches ${link} through its libraries "
          "(include rule plain-links-no-qt)")
      endif()
    endforeach()
  endforeach()
  # What links no Qt is window-free, marked or not.
  set(plain ${marked})
  foreach(target IN LISTS targets)
    _miqatix_checked_target(${target} checked)
    if(checked AND NOT target IN_LIST plain)
      _miqatix_link_closure(${target} closure)
      list(FILTER closure INCLUDE REGEX "^Qt[0-9]*::")
      if(NOT closure)
        list(APPEND plain ${target})
      endif()
    endif()
  endforeach()
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/noqt)
  foreach(target IN LISTS plain)
    get_target_property(dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    _miqatix_library_headers(${target} headers)
    set(files ${headers})
    foreach(source IN LISTS sources)
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir} NORMALIZE OUTPUT_VARIABLE path)
      list(APPEND files ${path})
    endforeach()
    list(REMOVE_DUPLICATES files)
    set(stamp ${CMAKE_BINARY_DIR}/noqt/${target}.stamp)
    add_custom_command(
      OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} "-DFILES=${files}" -P ${MIQATIX_INCLUDE_RULES_DIR}/checknoqt.cmake
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${files} ${MIQATIX_INCLUDE_RULES_DIR}/checknoqt.cmake
      COMMENT "Checking that ${target} includes no Qt header"
      VERBATIM)
    add_custom_target(${target}_noqt DEPENDS ${stamp})
    add_dependencies(${target} ${target}_noqt)
  endforeach()
  _miqatix_check_includes("${targets}" "${plain}")
endfunction()

# Whether `target` is compiled from files of its own: a static library or an
# executable.
function(_miqatix_checked_target target out)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY" OR type STREQUAL "EXECUTABLE")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# The build-time check of what each target of `targets` really includes
# (cmake/checkincludes.cmake), and of the folders' includes as a whole
# (cmake/checkfolders.cmake). `plain` holds the plain C++ targets.
function(_miqatix_check_includes targets plain)
  set(src ${CMAKE_SOURCE_DIR}/src)
  file(MAKE_DIRECTORY ${MIQATIX_INCLUDE_CHECK})
  set(owners "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      _miqatix_library_headers(${target} headers)
      foreach(header IN LISTS headers)
        string(MD5 key "${header}")
        string(APPEND owners "set(MIQATIX_OWNER_${key} ${target})\n")
      endforeach()
    endif()
  endforeach()
  set(owners_file ${MIQATIX_INCLUDE_CHECK}/owners.cmake)
  file(CONFIGURE OUTPUT ${owners_file} CONTENT "${owners}" @ONLY)

  # Qt's headers, for the plain C++ targets.
  set(qt_dirs "")
  foreach(qt IN ITEMS Qt6::Core Qt6::Gui Qt6::Widgets)
    if(TARGET ${qt})
      get_target_property(dirs ${qt} INTERFACE_INCLUDE_DIRECTORIES)
      if(dirs)
        list(APPEND qt_dirs ${dirs})
      endif()
    endif()
  endforeach()
  list(FILTER qt_dirs EXCLUDE REGEX "^\\$<")
  list(REMOVE_DUPLICATES qt_dirs)

  set(stamps "")
  set(edges "")
  foreach(target IN LISTS targets)
    _miqatix_checked_target(${target} checked)
    if(NOT checked)
      continue()
    endif()
    _miqatix_link_closure(${target} closure)
    set(libraries ${target})
    set(files "")
    foreach(link IN LISTS closure)
      if(TARGET ${link} AND link IN_LIST targets)
        list(APPEND libraries ${link})
      endif()
    endforeach()
    list(REMOVE_DUPLICATES libraries)
    foreach(library IN LISTS libraries)
      _miqatix_library_headers(${library} headers)
      list(APPEND files ${headers})
    endforeach()
    get_target_property(dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    foreach(source IN LISTS sources)
      if(NOT source MATCHES "^\\$<")
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir} NORMALIZE OUTPUT_VARIABLE path)
        list(APPEND files ${path})
      endif()
    endforeach()
    list(REMOVE_DUPLICATES files)
    set(is_plain FALSE)
    if(target IN_LIST plain)
      set(is_plain TRUE)
    endif()
    get_target_property(binary_dir ${target} BINARY_DIR)
    set(rules ${MIQATIX_INCLUDE_CHECK}/${target}.rules.cmake)
    set(edges_file ${MIQATIX_INCLUDE_CHECK}/${target}.edges)
    file(CONFIGURE OUTPUT ${rules} CONTENT "set(TARGET ${target})
set(PLAIN ${is_plain})
set(SOURCE_ROOT \"${src}\")
set(INCLUDE_ROOT \"${MIQATIX_INCLUDE_ROOT}\")
set(BINARY_ROOT \"${binary_dir}\")
set(QT_INCLUDE_DIRS \"${qt_dirs}\")
set(ALLOWED_LIBRARIES \"${libraries}\")
set(ALLOWED_FILES \"${files}\")
set(OWNERS_FILE \"${owners_file}\")
set(EDGES_FILE \"${edges_file}\")
" @ONLY)
    set(stamp ${MIQATIX_INCLUDE_CHECK}/${target}.stamp)
    add_custom_command(
      OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -DRULES=${rules} "-DOBJECTS=$<TARGET_OBJECTS:${target}>"
        -P ${MIQATIX_INCLUDE_RULES_DIR}/checkincludes.cmake
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${target} ${rules} ${owners_file} ${MIQATIX_INCLUDE_RULES_DIR}/checkincludes.cmake
      COMMENT "Checking what ${target} includes"
      VERBATIM)
    list(APPEND stamps ${stamp})
    list(APPEND edges ${edges_file})
  endforeach()
  set(stamp ${MIQATIX_INCLUDE_CHECK}/folders.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DEDGES=${edges}" -P ${MIQATIX_INCLUDE_RULES_DIR}/checkfolders.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${stamps} ${MIQATIX_INCLUDE_RULES_DIR}/checkfolders.cmake
    COMMENT "Checking that no two folders of src/ include each other"
    VERBATIM)
  add_custom_target(miqatix_include_check ALL DEPENDS ${stamp})
endfunction()
