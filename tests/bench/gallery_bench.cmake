# The control gallery (Windows build, run under Wine): a skinned check box's
# paint beside the system's, the gallery's start-up, its full repaint
# skinned beside unskinned, and the bar and field skins' graphics objects
# across many paints.
if(WIN32 AND TARGET tovane_gallery_dialog AND TARGET gallery)
  add_executable(bench_check_paint ${CMAKE_CURRENT_LIST_DIR}/check_paint_bench.cpp
    $<TARGET_OBJECTS:tovane_gallery_resources>)
  target_link_libraries(bench_check_paint PRIVATE tovane_options tovane_gallery_dialog)
  target_include_directories(bench_check_paint PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_options(bench_check_paint PRIVATE -mconsole)

  add_executable(bench_gallery_repaint ${CMAKE_CURRENT_LIST_DIR}/gallery_repaint_bench.cpp
    $<TARGET_OBJECTS:tovane_gallery_resources>)
  target_link_libraries(bench_gallery_repaint PRIVATE tovane_options tovane_gallery_dialog)
  target_include_directories(bench_gallery_repaint PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_options(bench_gallery_repaint PRIVATE -mconsole)

  add_executable(bench_gallery_startup ${CMAKE_CURRENT_LIST_DIR}/gallery_startup_bench.cpp)
  target_link_libraries(bench_gallery_startup PRIVATE tovane_options tovane_test_support)
  target_include_directories(bench_gallery_startup PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_options(bench_gallery_startup PRIVATE -mconsole)
  target_compile_definitions(bench_gallery_startup PRIVATE GALLERY_EXE="${TOVANE_GALLERY_EXE}")
  add_dependencies(bench_gallery_startup gallery)
endif()
