# GIF decoder and animation players. The test GIFs are written at build time
# by ImageMagick (tests/skin/make_test_gifs.sh); natively the decoder is
# compared with giflib.
find_program(TOVANE_CONVERT convert PATHS /usr/bin NO_DEFAULT_PATH)
find_program(TOVANE_CONVERT convert)
set(TOVANE_TEST_GIF_DIR ${CMAKE_BINARY_DIR}/test_gifs CACHE INTERNAL "")
set(TOVANE_BENCH_GIF ${CMAKE_BINARY_DIR}/bench_gifs/bench.gif CACHE INTERNAL "")
add_custom_command(OUTPUT ${TOVANE_TEST_GIF_DIR}/.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TOVANE_TEST_GIF_DIR}
  COMMAND ${CMAKE_COMMAND} -E env CONVERT=${TOVANE_CONVERT}
    sh ${CMAKE_CURRENT_SOURCE_DIR}/make_test_gifs.sh ${TOVANE_TEST_GIF_DIR} ${TOVANE_BENCH_GIF}
  COMMAND ${CMAKE_COMMAND} -E touch ${TOVANE_TEST_GIF_DIR}/.stamp
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_test_gifs.sh
  COMMENT "Writing the test GIFs with ImageMagick")
add_custom_target(test_gifs ALL DEPENDS ${TOVANE_TEST_GIF_DIR}/.stamp)

add_library(tovane_test_gif STATIC gif_builder.cpp)
target_include_directories(tovane_test_gif PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(tovane_test_gif PUBLIC TOVANE_TEST_GIF_DIR="${TOVANE_TEST_GIF_DIR}")
target_link_libraries(tovane_test_gif PRIVATE tovane_options)
add_dependencies(tovane_test_gif test_gifs)

if(NOT WIN32)
  find_package(GIF REQUIRED)
  add_library(tovane_test_gifref STATIC gif_reference.cpp)
  target_include_directories(tovane_test_gifref PUBLIC ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(tovane_test_gifref PUBLIC GIF::GIF PRIVATE tovane_options)

  tovane_add_gtest(gif_decoder_test SOURCES gif_decoder_test.cpp
    LIBS tovane_skin_picture tovane_test_gif tovane_test_gifref)
  tovane_add_gtest(gif_player_test SOURCES gif_player_test.cpp
    LIBS tovane_skin_theme tovane_skin_package tovane_test_gif tovane_test_zip)
endif()

if(NOT WIN32)
  tovane_add_gtest(strip_player_test SOURCES strip_player_test.cpp
    LIBS tovane_skin_picture tovane_test_gif)
endif()

if(WIN32)
  tovane_add_gtest(gif_player_win32_test SOURCES gif_player_win32_test.cpp
    LIBS tovane_skin_picture tovane_test_gif GUI)
endif()
