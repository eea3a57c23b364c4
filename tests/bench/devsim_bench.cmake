# Copy of a 64 MiB package through the device simulator beside a plain copy
# (Windows build, run under Wine: scripts/winerun bench_devsim_copy.exe).
if(WIN32 AND TARGET devsim_test_fixture)
  add_executable(bench_devsim_copy ${CMAKE_CURRENT_LIST_DIR}/devsim_copy_bench.cpp)
  target_link_libraries(bench_devsim_copy PRIVATE tovane_options devsim_test_fixture)
  target_link_options(bench_devsim_copy PRIVATE -mconsole)
  devsim_copy_dlls(bench_devsim_copy)
endif()
