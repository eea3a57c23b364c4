# Drawing primitives: geometry, BMP bytes, pixels and images natively; the
# GDI canvas with real pixels under Wine.
add_library(tovane_test_bmp STATIC bmp_builder.cpp)
target_include_directories(tovane_test_bmp PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tovane_test_bmp PRIVATE tovane_options)

tovane_add_gtest(draw_primitives_test
  SOURCES draw_geometry_test.cpp draw_bmp_test.cpp draw_pixels_test.cpp draw_image_test.cpp draw_compose_test.cpp
    draw_scale_test.cpp
  LIBS tovane_skin_theme tovane_test_bmp)

if(WIN32)
  tovane_add_gtest(draw_win32_test
    SOURCES draw_win32_test.cpp draw_compose_win32_test.cpp
    LIBS tovane_skin_picture tovane_test_bmp tovane_test_pictures tovane_test_support)
  target_compile_definitions(draw_win32_test PRIVATE TOVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
