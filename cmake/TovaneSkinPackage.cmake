# tovane_skin_package(OUTPUT <zip>)
# Builds the installer's skin package from res/skin/ (skin.xml and the
# pictures under res/skin/skin/) with scripts/make-skin-package.py, and
# rebuilds it when any of them changes. Also creates a target that builds
# it (with ALL) and names it in TOVANE_SKIN_PACKAGE_TARGET for the caller's
# add_dependencies.
find_package(Python3 COMPONENTS Interpreter REQUIRED)

function(tovane_skin_package)
  cmake_parse_arguments(P "" "OUTPUT" "" ${ARGN})
  if(NOT P_OUTPUT)
    message(FATAL_ERROR "tovane_skin_package: OUTPUT is required")
  endif()
  set(source ${PROJECT_SOURCE_DIR}/res/skin)
  set(script ${PROJECT_SOURCE_DIR}/scripts/make-skin-package.py)
  file(GLOB pictures CONFIGURE_DEPENDS ${source}/skin/*.png ${source}/skin/*.bmp)
  add_custom_command(OUTPUT ${P_OUTPUT}
    COMMAND ${Python3_EXECUTABLE} ${script} --source ${source} --output ${P_OUTPUT}
    DEPENDS ${script} ${source}/skin.xml ${pictures}
    COMMENT "Building the skin package ${P_OUTPUT}"
    VERBATIM)
  string(MD5 suffix "${P_OUTPUT}")
  string(SUBSTRING "${suffix}" 0 8 suffix)
  add_custom_target(tovane_skin_package_${suffix} ALL DEPENDS ${P_OUTPUT})
  set(TOVANE_SKIN_PACKAGE_TARGET tovane_skin_package_${suffix} PARENT_SCOPE)
endfunction()
