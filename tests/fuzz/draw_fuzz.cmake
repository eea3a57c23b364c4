# The BMP byte check and the region walk over pixel rows; their seeds are
# written at build time by make_draw_corpus.
if(TOVANE_FUZZ AND NOT WIN32)
  set(_draw_corpus ${CMAKE_CURRENT_BINARY_DIR}/draw_corpus)
  add_executable(make_draw_corpus make_draw_corpus.cpp)
  target_link_libraries(make_draw_corpus PRIVATE tovane_options tovane_test_bmp)
  add_custom_command(OUTPUT ${_draw_corpus}/.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${_draw_corpus}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:make_draw_corpus> ${_draw_corpus}
    COMMAND ${CMAKE_COMMAND} -E touch ${_draw_corpus}/.stamp
    DEPENDS make_draw_corpus
    COMMENT "Writing the drawing fuzz seed corpora")
  add_custom_target(draw_fuzz_corpus ALL DEPENDS ${_draw_corpus}/.stamp)

  tovane_add_fuzz_target(bmp_check_fuzz SOURCES bmp_check_fuzz.cpp
    LIBS tovane_skin_picture CORPUS ${_draw_corpus}/bmp)
  tovane_add_fuzz_target(region_walk_fuzz SOURCES region_walk_fuzz.cpp
    LIBS tovane_skin_picture CORPUS ${_draw_corpus}/pixels)
  add_dependencies(bmp_check_fuzz draw_fuzz_corpus)
  add_dependencies(region_walk_fuzz draw_fuzz_corpus)
endif()
