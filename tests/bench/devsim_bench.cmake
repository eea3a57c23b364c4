# Copy of a 64 MiB package through the device simulator beside a plain copy
# (natively against the linked-in simulator, and under Wine through the DLLs).
add_executable(bench_devsim_copy ${CMAKE_CURRENT_LIST_DIR}/devsim_copy_bench.cpp)
target_link_libraries(bench_devsim_copy PRIVATE tovane_options devsim_test_fixture)
if(WIN32)
  target_link_options(bench_devsim_copy PRIVATE -mconsole)
endif()
devsim_test_executable(bench_devsim_copy)
