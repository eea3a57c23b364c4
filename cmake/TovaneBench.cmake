# Benchmarks are executables whose names start with "bench_" (anywhere in
# the tree); each prints its own figures. At the end of the configure their
# paths are listed in <build>/benchmarks.txt, which scripts/bench.sh runs,
# and the target "benchmarks" builds them all. (_tovane_collect_targets is
# TovaneTesting's.)

function(_tovane_write_benchmark_list)
  _tovane_collect_targets(${CMAKE_SOURCE_DIR} all)
  set(lines "")
  set(benches "")
  foreach(t IN LISTS all)
    get_target_property(type ${t} TYPE)
    if(type STREQUAL "EXECUTABLE" AND t MATCHES "^bench_")
      string(APPEND lines "$<TARGET_FILE:${t}>\n")
      list(APPEND benches ${t})
    endif()
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/benchmarks.txt CONTENT "${lines}")
  add_custom_target(benchmarks)
  if(benches)
    add_dependencies(benchmarks ${benches})
  endif()
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _tovane_write_benchmark_list)
