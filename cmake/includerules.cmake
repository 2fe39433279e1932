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
# a Qt header.

set(MIQATIX_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)

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

  get_property(plain GLOBAL PROPERTY MIQATIX_PLAIN_CPP)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/noqt)
  foreach(target IN LISTS plain)
    _miqatix_link_closure(${target} closure)
    foreach(link IN LISTS closure)
      if(link MATCHES "^Qt[0-9]*::")
        message(FATAL_ERROR "${target} is plain C++ but reaches ${link} through its libraries")
      endif()
    endforeach()
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
      COMMAND ${CMAKE_COMMAND} "-DFILES=${files}" -P ${CMAKE_SOURCE_DIR}/cmake/checknoqt.cmake
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/checknoqt.cmake
      COMMENT "Checking that ${target} includes no Qt header"
      VERBATIM)
    add_custom_target(${target}_noqt DEPENDS ${stamp})
    add_dependencies(${target} ${target}_noqt)
  endforeach()
endfunction()
