# The skinned scroll bars beside the system's: a thumb drag of a 10 000-line
# edit and a non-client repaint (Windows build, run under Wine:
# scripts/winerun bench_scroll.exe).
if(WIN32 AND TARGET tovane_scroll_test_support)
  add_executable(bench_scroll ${CMAKE_CURRENT_LIST_DIR}/scroll_bench.cpp)
  target_link_libraries(bench_scroll PRIVATE tovane_options tovane_skin_windows tovane_scroll_test_support)
  target_include_directories(bench_scroll PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_options(bench_scroll PRIVATE -mconsole)
endif()
