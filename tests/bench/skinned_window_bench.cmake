# The skinned windows (Windows build, run under Wine, e.g.
# scripts/winerun build/win64/tests/bench/bench_status_paint.exe): the status
# button's paint and property calls and the main window's full repaint, each
# beside a plain reference, and the installer's start-up beside a minimal
# dialog program.
if(WIN32 AND TARGET tovane_app AND TARGET tovane_resources)
  foreach(name status_paint status_property window_repaint)
    add_executable(bench_${name} ${CMAKE_CURRENT_LIST_DIR}/${name}_bench.cpp $<TARGET_OBJECTS:tovane_resources>)
    target_link_libraries(bench_${name} PRIVATE tovane_options tovane_app)
    target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_link_options(bench_${name} PRIVATE -mconsole)
  endforeach()
endif()

if(WIN32 AND TARGET tovane AND TARGET tovane_test_support AND TARGET devsim_mobiledevice)
  # The yardstick of the start-up benchmark; not itself a benchmark.
  add_executable(startup_minimal_dialog WIN32
    ${CMAKE_CURRENT_LIST_DIR}/minimal_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/minimal_dialog.rc)
  target_link_libraries(startup_minimal_dialog PRIVATE tovane_options -municode)

  add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
  target_link_libraries(bench_startup PRIVATE tovane_options tovane_test_support tovane_image)
  target_include_directories(bench_startup PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_options(bench_startup PRIVATE -mconsole)
  target_compile_definitions(bench_startup PRIVATE
    TOVANE_EXE="$<TARGET_FILE:tovane>"
    MINIMAL_DIALOG_EXE="$<TARGET_FILE:startup_minimal_dialog>"
    DEVSIM_DIR="${DEVSIM_OUTPUT_DIR}"
    TOVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_dependencies(bench_startup tovane startup_minimal_dialog devsim_corefoundation devsim_mobiledevice)
endif()
