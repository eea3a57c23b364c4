# Arbitrary theme documents through the theme walk and the native part of
# attaching what they describe.
tovane_add_fuzz_target(theme_loader_fuzz
  SOURCES theme_loader_fuzz.cpp
  LIBS tovane_skin_objects tovane_skin_package
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/theme_loader_corpus)
