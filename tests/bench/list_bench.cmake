# The skinned list box beside the system's: painting ten drawn rows, and
# 100 000 inserts at the top (Windows build, run under Wine:
# scripts/winerun bench_lists.exe).
if(WIN32 AND TARGET tovane_scroll_test_support)
  add_executable(bench_lists ${CMAKE_CURRENT_LIST_DIR}/list_bench.cpp)
  target_link_libraries(bench_lists PRIVATE tovane_options tovane_skin_windows tovane_scroll_test_support)
  target_include_directories(bench_lists PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_options(bench_lists PRIVATE -mconsole)
endif()
