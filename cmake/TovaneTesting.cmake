# tovane_add_gtest(NAME SOURCES src... [LIBS lib...] [LABELS l...] [TIMEOUT s] [GUI] [NO_TEST])
# One GoogleTest executable registered as one CTest test. On the Windows build
# CTest runs it through scripts/winerun (CMAKE_CROSSCOMPILING_EMULATOR).
# GUI marks tests that need a display (Wine windows); they share a lock so
# that message boxes and focus of two tests never meet. NO_TEST builds the
# executable only (the caller registers its own test runs of it).
function(tovane_add_gtest name)
  cmake_parse_arguments(T "GUI;NO_TEST" "TIMEOUT" "SOURCES;LIBS;LABELS;RESOURCE_LOCK" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tovane_options ${T_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  if(T_NO_TEST)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
  if(T_RESOURCE_LOCK)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  if(T_GUI)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK wine-desktop)
  endif()
  tovane_test_environment(${name})
endfunction()

# tovane_test_environment(TEST): the sanitizers' settings for a test; every
# report fails the test.
function(tovane_test_environment test)
  if(TOVANE_SANITIZE)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
      "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1" "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
  if(TOVANE_TSAN)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
      "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1")
  endif()
endfunction()

# tovane_add_fuzz_target(NAME SOURCES src... LIBS lib... CORPUS dir [SECONDS n])
# A libFuzzer target (native clang builds only) plus a short CTest run of it
# over its seed corpus; scripts/fuzz.sh runs the long campaign. NAME ends in
# "_fuzz": that is how the campaign finds it.
set(TOVANE_FUZZ_SECONDS 20 CACHE STRING "Length of each fuzz target's run in the test command")
function(tovane_add_fuzz_target name)
  cmake_parse_arguments(F "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT TOVANE_FUZZ OR WIN32)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS ${TOVANE_FUZZ_SECONDS})
  endif()
  if(NOT name MATCHES "_fuzz$")
    message(FATAL_ERROR "fuzz target ${name}: the name must end in _fuzz")
  endif()
  add_executable(${name} ${F_SOURCES})
  set_property(TARGET ${name} PROPERTY TOVANE_FUZZ_CORPUS "${F_CORPUS}")
  target_link_libraries(${name} PRIVATE tovane_options tovane_fuzz_flags ${F_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      ${PROJECT_SOURCE_DIR}/scripts/run-fuzz-target.sh $<TARGET_FILE:${name}> ${F_CORPUS} ${work} ${F_SECONDS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS fuzz)
endfunction()

# tovane_add_dpi_tests(TARGET DPIS dpi... [TIMEOUT s])
# Runs a Windows test executable once per display DPI, each run in a Wine
# prefix of that DPI (scripts/wine-env.sh, TOVANE_WINE_DPI) with its own
# wineserver and desktop on the session's display. The tests are named
# TARGET_DPI and learn their DPI from TOVANE_TEST_DPI. They share the display,
# so they take the desktop lock of the other window tests.
function(tovane_add_dpi_tests target)
  cmake_parse_arguments(T "" "TIMEOUT" "DPIS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  foreach(dpi IN LISTS T_DPIS)
    add_test(NAME ${target}_${dpi}
      COMMAND ${CMAKE_COMMAND} -E env TOVANE_WINE_DPI=${dpi} TOVANE_TEST_DPI=${dpi}
        ${PROJECT_SOURCE_DIR}/scripts/wine-session.sh ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${target}>)
    set_tests_properties(${target}_${dpi} PROPERTIES TIMEOUT ${T_TIMEOUT}
      RESOURCE_LOCK "wine-desktop;wine-dpi-${dpi}")
  endforeach()
endfunction()

# Every target defined below `dir`, in its subfolders too.
function(_tovane_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _tovane_collect_targets(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# _tovane_list_executables(PATTERN LIST GROUP [FUZZ]): at the end of the
# configure, the executables whose names match PATTERN are listed in
# <build>/LIST, one a line (their file; with FUZZ their name, file and seed
# corpus, separated by tabs), and the target GROUP builds them all.
function(_tovane_list_executables pattern list group)
  cmake_parse_arguments(L "FUZZ" "" "" ${ARGN})
  _tovane_collect_targets(${CMAKE_SOURCE_DIR} all)
  set(lines "")
  set(found "")
  foreach(t IN LISTS all)
    get_target_property(type ${t} TYPE)
    if(NOT type STREQUAL "EXECUTABLE" OR NOT t MATCHES "${pattern}")
      continue()
    endif()
    if(L_FUZZ)
      get_target_property(corpus ${t} TOVANE_FUZZ_CORPUS)
      if(NOT corpus)
        set(corpus "")
      endif()
      string(APPEND lines "${t}\t$<TARGET_FILE:${t}>\t${corpus}\n")
    else()
      string(APPEND lines "$<TARGET_FILE:${t}>\n")
    endif()
    list(APPEND found ${t})
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/${list} CONTENT "${lines}")
  add_custom_target(${group})
  if(found)
    add_dependencies(${group} ${found})
  endif()
endfunction()

# Fuzz targets are the executables whose names end in "_fuzz" (anywhere in
# the tree): scripts/fuzz.sh reads them from <build>/fuzz_targets.txt, and
# the target "fuzz_targets" builds them all.
if(TOVANE_FUZZ AND NOT WIN32)
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _tovane_list_executables "_fuzz$" fuzz_targets.txt
    fuzz_targets FUZZ)
endif()
