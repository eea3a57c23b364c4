# Windows tests of the hooks (under Wine): a test object stands in for the
# window manager's skins.
add_library(tovane_hook_test_host STATIC hook_test_host.cpp)
target_include_directories(tovane_hook_test_host PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tovane_hook_test_host PUBLIC tovane_skin_windows PRIVATE tovane_options)

tovane_add_gtest(hooks_install_test SOURCES hooks_install_test.cpp
  LIBS tovane_hook_test_host comctl32 GUI)
tovane_add_gtest(hooks_behaviour_test SOURCES hooks_behaviour_test.cpp
  LIBS tovane_hook_test_host GUI)
