# The control gallery in the Windows build (examples/gallery):
# - its two themes, drawn by scripts/make-gallery-themes.py from
#   scripts/gallery_theme/ into TOVANE_GALLERY_THEMES (with the test theme's
#   colour table TOVANE_GALLERY_COLOURS);
# - the gallery program, built as a project of its own against the engine's
#   package installed into <build>/stage, so it links the engine exactly as
#   an outside program does: TOVANE_GALLERY_EXE, target "gallery";
# - for tests and benchmarks that open the gallery in their own process:
#   tovane_gallery_dialog (its dialog, on the engine's targets of this tree)
#   and tovane_gallery_resources (its template and both themes).
include(ExternalProject)

set(_gallery_source ${PROJECT_SOURCE_DIR}/examples/gallery)
set(TOVANE_GALLERY_THEMES ${CMAKE_BINARY_DIR}/examples/gallery-themes)
set(TOVANE_GALLERY_COLOURS ${TOVANE_GALLERY_THEMES}/test-colours.tsv)
set(TOVANE_GALLERY_EXE ${CMAKE_BINARY_DIR}/examples/gallery/gallery.exe)

file(GLOB _theme_modules CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/scripts/gallery_theme/*.py
  ${PROJECT_SOURCE_DIR}/scripts/gallery_theme/kinds/*.py)
add_custom_command(
  OUTPUT ${TOVANE_GALLERY_THEMES}/showcase.zip ${TOVANE_GALLERY_THEMES}/test.zip ${TOVANE_GALLERY_COLOURS}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/make-gallery-themes.py ${TOVANE_GALLERY_THEMES}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-gallery-themes.py ${PROJECT_SOURCE_DIR}/scripts/skin_pictures.py
          ${_theme_modules}
  COMMENT "Drawing the gallery themes"
  VERBATIM)
add_custom_target(gallery_themes ALL DEPENDS ${TOVANE_GALLERY_THEMES}/showcase.zip ${TOVANE_GALLERY_THEMES}/test.zip)

# The public header as programs include it: <tovane/skin_api.h>.
configure_file(${PROJECT_SOURCE_DIR}/skin/windows/skin_api_win32.h ${CMAKE_BINARY_DIR}/include/tovane/skin_api.h COPYONLY)

# In this tree, for the tests.
file(WRITE ${CMAKE_BINARY_DIR}/examples/gallery_themes.rc.in
  "IDR_THEME_SHOWCASE DATA \"@TOVANE_GALLERY_THEMES@/showcase.zip\"\n"
  "IDR_THEME_TEST DATA \"@TOVANE_GALLERY_THEMES@/test.zip\"\n")
configure_file(${CMAKE_BINARY_DIR}/examples/gallery_themes.rc.in ${CMAKE_BINARY_DIR}/examples/gallery_themes.rc @ONLY)
add_library(tovane_gallery_resources OBJECT ${_gallery_source}/gallery.rc)
target_include_directories(tovane_gallery_resources PRIVATE ${CMAKE_BINARY_DIR}/examples ${_gallery_source})
set_source_files_properties(${_gallery_source}/gallery.rc PROPERTIES
  OBJECT_DEPENDS "${TOVANE_GALLERY_THEMES}/showcase.zip;${TOVANE_GALLERY_THEMES}/test.zip")
add_dependencies(tovane_gallery_resources gallery_themes)

add_library(tovane_gallery_dialog STATIC ${_gallery_source}/gallery_dialog.cpp ${_gallery_source}/gallery_screenshot.cpp)
target_include_directories(tovane_gallery_dialog PUBLIC ${_gallery_source} ${PROJECT_SOURCE_DIR}
  ${CMAKE_BINARY_DIR}/include)
target_link_libraries(tovane_gallery_dialog PUBLIC tovane_skin_windows comctl32 gdi32 user32 PRIVATE tovane_options)

# The engine's package, installed into the build tree when any of it changes.
set(_stage ${CMAKE_BINARY_DIR}/stage)
add_custom_command(OUTPUT ${_stage}/installed.stamp
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${_stage} --component TovaneSkin
  COMMAND ${CMAKE_COMMAND} -E touch ${_stage}/installed.stamp
  DEPENDS tovane_skin_archive ${CMAKE_BINARY_DIR}/tovane_skin/libtovane_skin.a
          ${CMAKE_BINARY_DIR}/tovane_skin/TovaneSkinConfig.cmake ${PROJECT_SOURCE_DIR}/skin/windows/skin_api_win32.h
  COMMENT "Installing the skin engine's package into ${_stage}"
  VERBATIM)
add_custom_target(tovane_skin_stage DEPENDS ${_stage}/installed.stamp)

ExternalProject_Add(gallery_program
  SOURCE_DIR ${_gallery_source}
  BINARY_DIR ${CMAKE_BINARY_DIR}/examples/gallery
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
             -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
             -DTovaneSkin_DIR=${_stage}/lib/cmake/TovaneSkin
             -DGALLERY_THEMES=${TOVANE_GALLERY_THEMES}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${TOVANE_GALLERY_EXE}
  DEPENDS tovane_skin_stage gallery_themes)
add_custom_target(gallery DEPENDS gallery_program)
