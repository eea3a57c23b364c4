# Cost of the hooks on windows the engine does not skin: hooked calls beside
# the same calls unhooked (Windows build, run under Wine:
# scripts/winerun bench_hooks.exe).
if(WIN32 AND TARGET tovane_skin_windows)
  add_executable(bench_hooks ${CMAKE_CURRENT_LIST_DIR}/hooks_bench.cpp)
  target_link_libraries(bench_hooks PRIVATE tovane_options tovane_skin_windows)
  target_include_directories(bench_hooks PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_options(bench_hooks PRIVATE -mconsole)
endif()
