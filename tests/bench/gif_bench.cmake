# GIF decoding beside giflib (native; build without sanitizers for figures).
if(NOT WIN32 AND TARGET tovane_test_gifref)
  add_executable(bench_gif_decode gif_decode_bench.cpp)
  target_link_libraries(bench_gif_decode PRIVATE tovane_options tovane_skin_picture tovane_test_gif
    tovane_test_gifref)
  target_include_directories(bench_gif_decode PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(bench_gif_decode PRIVATE TOVANE_BENCH_GIF="${TOVANE_BENCH_GIF}")
endif()
