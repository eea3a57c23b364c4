# The portable part of the device simulator (CoreFoundation objects, device
# settings, AFC volumes, device registry); included by devsim/ on Windows and
# by the native tests.
if(NOT TARGET devsim_core)
  set(_devsim_dir ${CMAKE_CURRENT_LIST_DIR})
  add_library(devsim_core STATIC
    ${_devsim_dir}/afc_volume.cpp
    ${_devsim_dir}/cf_objects.cpp
    ${_devsim_dir}/device_config.cpp
    ${_devsim_dir}/device_registry.cpp
    ${_devsim_dir}/host_fs.cpp
  )
  target_include_directories(devsim_core PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(devsim_core PUBLIC tovane_options Threads::Threads)
endif()
