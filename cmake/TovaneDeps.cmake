# Third-party libraries. Natively from Debian's -dev packages; for Windows from
# the cross-built cache that scripts/bootstrap.sh fills (TOVANE_DEPS_PREFIX).
if(WIN32)
  # A build folder whose dependency prefix changed (a new dependency set)
  # forgets what it found in the old one.
  get_cmake_property(_cached CACHE_VARIABLES)
  foreach(_var IN LISTS _cached)
    set(_value "${${_var}}")
    if(_var MATCHES "^TOVANE_DEPS_PREFIX" OR _value MATCHES "^${TOVANE_DEPS_PREFIX}(/|$)")
      continue()
    endif()
    if((TOVANE_DEPS_PREFIX_FOUND AND _value MATCHES "^${TOVANE_DEPS_PREFIX_FOUND}(/|$)")
       OR _value MATCHES "/mingw-deps-v[0-9]+(/|$)")
      unset(${_var} CACHE)
    endif()
  endforeach()
  set(TOVANE_DEPS_PREFIX_FOUND ${TOVANE_DEPS_PREFIX} CACHE INTERNAL "The dependency prefix the packages were found in")
  # One self-contained executable: the static zlib, not zlib1.dll (also in
  # build trees that found the import library before).
  set(ZLIB_USE_STATIC_LIBS ON)
  if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
    unset(ZLIB_LIBRARY_RELEASE CACHE)
  endif()
endif()
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(Poco REQUIRED COMPONENTS Foundation Net)
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

# JsonCpp: Debian installs a CMake package without the static target; the
# cross build installs a static one. Normalise both to tovane::jsoncpp.
find_package(jsoncpp CONFIG QUIET)
add_library(tovane_jsoncpp INTERFACE)
if(TARGET jsoncpp_static)
  target_link_libraries(tovane_jsoncpp INTERFACE jsoncpp_static)
elseif(TARGET JsonCpp::JsonCpp)
  target_link_libraries(tovane_jsoncpp INTERFACE JsonCpp::JsonCpp)
elseif(TARGET jsoncpp_lib)
  target_link_libraries(tovane_jsoncpp INTERFACE jsoncpp_lib)
else()
  find_path(JSONCPP_INCLUDE_DIR json/json.h PATH_SUFFIXES jsoncpp REQUIRED)
  find_library(JSONCPP_LIBRARY NAMES jsoncpp REQUIRED)
  target_include_directories(tovane_jsoncpp INTERFACE ${JSONCPP_INCLUDE_DIR})
  target_link_libraries(tovane_jsoncpp INTERFACE ${JSONCPP_LIBRARY})
endif()
add_library(tovane::jsoncpp ALIAS tovane_jsoncpp)

if(WIN32)
  # Poco's static Foundation/Net need these Windows libraries.
  set(TOVANE_POCO_SYSLIBS ws2_32 iphlpapi)
endif()

if(TOVANE_BENCH AND NOT WIN32)
  find_package(pugixml QUIET)
endif()

# Zydis, the instruction decoder of the API hooks: natively Debian's
# libzydis-dev, for Windows the static decoder-only cross build.
find_package(zydis CONFIG REQUIRED)
