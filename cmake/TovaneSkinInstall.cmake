# The skin engine as a library other programs link (Windows build only):
#
#   cmake --install build/win64 --prefix PREFIX [--component TovaneSkin]
#
# puts into PREFIX
#   include/tovane/skin_api.h            the public entry points
#   lib/libtovane_skin.a                 the engine: its own archives merged into one
#   lib/tovane_skin/*.a                  the libraries it needs (zlib, libpng, libjpeg, Zydis, ...)
#   lib/cmake/TovaneSkin/                the CMake package: target TovaneSkin::skin
#
# so that an outside MinGW-w64 project does
#   find_package(TovaneSkin CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE TovaneSkin::skin)
#
# The engine's archives and the libraries it needs are found by walking the
# link graph from the engine's top target, so new folders and targets of the
# engine join the package without a list to keep.

set(_tovane_skin_install_dir ${CMAKE_CURRENT_LIST_DIR})

# _tovane_link_items(TARGET OUT): the link items a target hands on.
function(_tovane_link_items target out)
  get_target_property(items ${target} INTERFACE_LINK_LIBRARIES)
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(own ${target} LINK_LIBRARIES)
    if(own)
      list(APPEND items ${own})
    endif()
  endif()
  set(result "")
  foreach(item IN LISTS items)
    if(NOT item)
      continue()
    endif()
    # PRIVATE dependencies of static libraries come wrapped.
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
    if(item MATCHES "^\\$<")
      continue()
    endif()
    list(APPEND result "${item}")
  endforeach()
  list(REMOVE_DUPLICATES result)
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# _tovane_walk(TARGET): fills _engine (our static libraries), _imported
# (imported library targets, dependents first) and _system (plain library
# names) in the caller's scope.
function(_tovane_walk target)
  if(target IN_LIST _visited)
    return()
  endif()
  list(APPEND _visited ${target})
  set(_visited "${_visited}" PARENT_SCOPE)
  get_target_property(type ${target} TYPE)
  get_target_property(imported ${target} IMPORTED)
  if(type STREQUAL "INTERFACE_LIBRARY" AND NOT imported)
    return()  # build settings of this tree (warnings, flags): not the consumer's
  endif()
  if(imported)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      list(APPEND _imported ${target})
    endif()
  elseif(type STREQUAL "STATIC_LIBRARY")
    list(APPEND _engine ${target})
  endif()
  _tovane_link_items(${target} items)
  foreach(item IN LISTS items)
    if(TARGET ${item})
      _tovane_walk(${item})
    elseif(NOT item MATCHES "^-" AND NOT item MATCHES "/")
      list(APPEND _system ${item})
    endif()
  endforeach()
  foreach(var _visited _engine _imported _system)
    set(${var} "${${var}}" PARENT_SCOPE)
  endforeach()
endfunction()

# _tovane_imported_file(TARGET OUT): the file of an imported library, links
# resolved (libpng.a is often a link to libpng16.a).
function(_tovane_imported_file target out)
  set(file "")
  foreach(suffix _RELEASE "" _RELWITHDEBINFO _MINSIZEREL _NOCONFIG _DEBUG)
    get_target_property(file ${target} IMPORTED_LOCATION${suffix})
    if(file)
      break()
    endif()
  endforeach()
  if(NOT file)
    message(FATAL_ERROR "TovaneSkinInstall: no library file for ${target}")
  endif()
  file(REAL_PATH "${file}" real)
  set(${out} "${real}" PARENT_SCOPE)
endfunction()

# tovane_skin_install(TARGET top HEADER public-header): install rules of
# the package, made at the end of the configure (when every target exists).
function(tovane_skin_install)
  cmake_parse_arguments(P "" "TARGET;HEADER" "" ${ARGN})
  # A deferred call reads its arguments when it runs: the values go in now.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL _tovane_skin_install_now [[${P_TARGET}]] [[${P_HEADER}]])")
endfunction()

function(_tovane_skin_install_now top header)
  set(_visited "")
  set(_engine "")
  set(_imported "")
  set(_system "")
  _tovane_walk(${top})
  list(REMOVE_DUPLICATES _system)
  list(REMOVE_ITEM _system Threads::Threads)

  # One archive of the engine's own code.
  set(merged ${CMAKE_BINARY_DIR}/tovane_skin/libtovane_skin.a)
  set(inputs "")
  foreach(lib IN LISTS _engine)
    list(APPEND inputs "$<TARGET_FILE:${lib}>")
  endforeach()
  add_custom_command(OUTPUT ${merged}
    COMMAND ${CMAKE_COMMAND} -DAR=${CMAKE_AR} -DOUTPUT=${merged} "-DINPUTS=${inputs}"
            -P ${_tovane_skin_install_dir}/TovaneMergeArchives.cmake
    DEPENDS ${_engine} ${_tovane_skin_install_dir}/TovaneMergeArchives.cmake
    COMMENT "Merging the skin engine's archives into libtovane_skin.a"
    VERBATIM)
  add_custom_target(tovane_skin_archive ALL DEPENDS ${merged})

  # The package file: each library the engine needs as an imported target
  # of its own, linked to those it needs in turn, so their order holds.
  set(deps_block "")
  set(dep_targets "")
  foreach(dep IN LISTS _imported)
    string(MAKE_C_IDENTIFIER "${dep}" name)
    set(needs "")
    _tovane_link_items(${dep} items)
    foreach(item IN LISTS items)
      if(item IN_LIST _imported)
        string(MAKE_C_IDENTIFIER "${item}" n)
        list(APPEND needs "TovaneSkin::dep_${n}")
      endif()
    endforeach()
    _tovane_imported_file(${dep} file)
    get_filename_component(file_name "${file}" NAME)
    string(APPEND deps_block
      "  add_library(TovaneSkin::dep_${name} STATIC IMPORTED)\n"
      "  set_target_properties(TovaneSkin::dep_${name} PROPERTIES\n"
      "    IMPORTED_LOCATION \"\${_tovane_skin_prefix}/lib/tovane_skin/${file_name}\"\n"
      "    INTERFACE_LINK_LIBRARIES \"${needs}\")\n")
    list(APPEND dep_targets "TovaneSkin::dep_${name}")
    install(FILES "${file}" DESTINATION lib/tovane_skin COMPONENT TovaneSkin)
  endforeach()
  set(config ${CMAKE_BINARY_DIR}/tovane_skin/TovaneSkinConfig.cmake)
  file(READ ${_tovane_skin_install_dir}/TovaneSkinConfig.cmake.in template)
  string(REPLACE "@DEPENDENCIES@" "${deps_block}" template "${template}")
  string(REPLACE "@LINK@" "${dep_targets};${_system}" template "${template}")
  file(GENERATE OUTPUT ${config} CONTENT "${template}")
  include(CMakePackageConfigHelpers)
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/tovane_skin/TovaneSkinConfigVersion.cmake
    VERSION 1.0 COMPATIBILITY SameMajorVersion)

  install(FILES ${merged} DESTINATION lib COMPONENT TovaneSkin)
  # Programs include it as <tovane/skin_api.h>.
  install(FILES ${header} DESTINATION include/tovane RENAME skin_api.h COMPONENT TovaneSkin)
  install(FILES ${config} ${CMAKE_BINARY_DIR}/tovane_skin/TovaneSkinConfigVersion.cmake
    DESTINATION lib/cmake/TovaneSkin COMPONENT TovaneSkin)
endfunction()
