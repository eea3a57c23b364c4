# Cross toolchain: Windows x86-64 with MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER  ${_mingw}-windres)
set(CMAKE_MC_COMPILER  /usr/bin/${_mingw}-windmc)
set(CMAKE_AR           /usr/bin/${_mingw}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${_mingw}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP        /usr/bin/${_mingw}-strip CACHE FILEPATH "")

# Dependencies cross-built by scripts/bootstrap.sh: TOVANE_DEPS_PREFIX when
# given (environment, or cache with -D), else where the bootstrap puts them
# (scripts/common.sh: the cache folder and the dependency set's version). A
# build folder configured before the version changed follows it, unless its
# prefix was set by hand.
if(DEFINED ENV{TOVANE_DEPS_PREFIX})
  set(_deps_default $ENV{TOVANE_DEPS_PREFIX})
else()
  file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../scripts/common.sh _deps_version REGEX "^TOVANE_DEPS_VERSION=")
  string(REGEX REPLACE "^TOVANE_DEPS_VERSION=" "" _deps_version "${_deps_version}")
  if(DEFINED ENV{TOVANE_CACHE})
    set(_cache $ENV{TOVANE_CACHE})
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(_cache $ENV{XDG_CACHE_HOME}/tovane)
  else()
    set(_cache $ENV{HOME}/.cache/tovane)
  endif()
  set(_deps_default ${_cache}/mingw-deps-${_deps_version})
endif()
if(NOT TOVANE_DEPS_PREFIX OR TOVANE_DEPS_PREFIX STREQUAL "${TOVANE_DEPS_PREFIX_DEFAULT}"
   OR (NOT DEFINED TOVANE_DEPS_PREFIX_DEFAULT AND TOVANE_DEPS_PREFIX MATCHES "/mingw-deps-v[0-9]+$"))
  set(TOVANE_DEPS_PREFIX ${_deps_default} CACHE PATH "Cross-built Windows dependencies" FORCE)
endif()
set(TOVANE_DEPS_PREFIX_DEFAULT ${_deps_default} CACHE INTERNAL "The dependency prefix the scripts would choose")
if(NOT EXISTS ${TOVANE_DEPS_PREFIX})
  message(FATAL_ERROR "No cross-built dependencies in ${TOVANE_DEPS_PREFIX}: run scripts/bootstrap.sh")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${_mingw} ${TOVANE_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
