# Benchmarks are executables whose names start with "bench_" (anywhere in
# the tree); each prints its own figures. At the end of the configure their
# paths are listed in <build>/benchmarks.txt, which scripts/bench.sh runs,
# and the target "benchmarks" builds them all (_tovane_list_executables,
# TovaneTesting's).

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _tovane_list_executables "^bench_" benchmarks.txt benchmarks)
