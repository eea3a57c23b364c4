# Theme loader, resource tables and control descriptions (native and Windows).
set(_theme_inc ${CMAKE_CURRENT_BINARY_DIR}/theme_generated)
file(READ ${PROJECT_SOURCE_DIR}/res/skin/skin.xml _theme_hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _theme_bytes "${_theme_hex}")
file(WRITE ${_theme_inc}/installer_theme.inc.tmp "${_theme_bytes}\n")
configure_file(${_theme_inc}/installer_theme.inc.tmp ${_theme_inc}/installer_theme.inc COPYONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/skin/skin.xml)

tovane_add_gtest(theme_loader_test
  SOURCES theme_value_parsers_test.cpp theme_loader_test.cpp theme_descriptions_test.cpp theme_package_test.cpp
  LIBS tovane_skin_theme tovane_skin_package tovane_test_zip)
target_include_directories(theme_loader_test PRIVATE ${_theme_inc})

if(WIN32)
  tovane_add_gtest(theme_platform_win32_test
    SOURCES theme_platform_win32_test.cpp
    LIBS tovane_skin_theme
    GUI)
endif()
