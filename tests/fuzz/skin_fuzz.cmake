# Skin package reader, XML reader and picture decoders. Their seeds are made
# at build time by make_skin_corpus (small valid files and the hostile
# archives) into the build tree.
if(TOVANE_FUZZ AND NOT WIN32)
  set(_skin_corpus ${CMAKE_CURRENT_BINARY_DIR}/skin_corpus)
  add_executable(make_skin_corpus make_skin_corpus.cpp)
  target_link_libraries(make_skin_corpus PRIVATE tovane_options tovane_test_zip tovane_test_pictures)
  add_custom_command(OUTPUT ${_skin_corpus}/.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${_skin_corpus}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:make_skin_corpus> ${_skin_corpus}
    COMMAND ${CMAKE_COMMAND} -E touch ${_skin_corpus}/.stamp
    DEPENDS make_skin_corpus
    COMMENT "Writing the skin fuzz seed corpora")
  add_custom_target(skin_fuzz_corpus ALL DEPENDS ${_skin_corpus}/.stamp)

  tovane_add_fuzz_target(skin_zip_reader_fuzz SOURCES skin_zip_reader_fuzz.cpp
    LIBS tovane_skin_theme tovane_skin_package CORPUS ${_skin_corpus}/zip)
  tovane_add_fuzz_target(skin_xml_fuzz SOURCES skin_xml_fuzz.cpp
    LIBS tovane_skin_xml CORPUS ${_skin_corpus}/xml)
  foreach(_format Png Jpeg Icon)
    string(TOLOWER ${_format} _lower)
    if(_lower STREQUAL "icon")
      set(_dir ico)
    else()
      set(_dir ${_lower})
    endif()
    tovane_add_fuzz_target(picture_${_lower}_fuzz SOURCES picture_fuzz.cpp
      LIBS tovane_image CORPUS ${_skin_corpus}/${_dir})
    target_compile_definitions(picture_${_lower}_fuzz PRIVATE TOVANE_PICTURE_FORMAT=${_format})
  endforeach()
  foreach(_t skin_zip_reader_fuzz skin_xml_fuzz picture_png_fuzz picture_jpeg_fuzz picture_icon_fuzz)
    add_dependencies(${_t} skin_fuzz_corpus)
  endforeach()
endif()
