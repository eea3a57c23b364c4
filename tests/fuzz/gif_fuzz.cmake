# The GIF decoder; its seeds are the GIFs ImageMagick writes for the tests
# (tests/skin/gif_tests.cmake).
if(TOVANE_FUZZ AND NOT WIN32 AND TARGET test_gifs)
  tovane_add_fuzz_target(gif_decoder_fuzz SOURCES gif_decoder_fuzz.cpp
    LIBS tovane_skin_picture CORPUS ${TOVANE_TEST_GIF_DIR})
  add_dependencies(gif_decoder_fuzz test_gifs)
endif()
