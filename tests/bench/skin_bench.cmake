# Skin package reader and XML reader benchmarks (executables that print).
# Build them without sanitizers for meaningful figures.
if(NOT WIN32)
  if(TARGET pugixml::pugixml OR TARGET pugixml)
    add_executable(bench_skin_xml skin_xml_bench.cpp)
    target_link_libraries(bench_skin_xml PRIVATE tovane_options tovane_skin_xml
      $<IF:$<TARGET_EXISTS:pugixml::pugixml>,pugixml::pugixml,pugixml>)
    target_include_directories(bench_skin_xml PRIVATE ${PROJECT_SOURCE_DIR})
  endif()
  add_executable(bench_skin_zip skin_zip_bench.cpp)
  target_link_libraries(bench_skin_zip PRIVATE tovane_options tovane_skin_package tovane_test_zip)
  target_include_directories(bench_skin_zip PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
endif()

# The 9-grid drawing primitives beside a plain BitBlt (Windows, run under Wine).
if(WIN32)
  add_executable(bench_skin_draw draw_bench.cpp)
  target_link_libraries(bench_skin_draw PRIVATE tovane_options tovane_skin_picture)
  target_include_directories(bench_skin_draw PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(bench_skin_draw PRIVATE TOVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_link_options(bench_skin_draw PRIVATE -mconsole)
endif()
