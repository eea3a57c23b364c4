#!/usr/bin/env bash
# Cross-builds the Windows (MinGW-w64) dependencies from Debian's source
# packages into $TOVANE_DEPS_PREFIX: OpenSSL's libraries, Poco (Foundation,
# Net, and NetSSL_OpenSSL with the Crypto and Util it needs), JsonCpp, libpng,
# libjpeg-turbo, the Zydis decoder with Zycore (all static) and GoogleTest
# from /usr/src/googletest. zlib comes from Debian's libz-mingw-w64-dev.
# Runs once; later calls return at once while the stamp files are there.
# Zydis has a stamp of its own, so a cache made before it only gains Zydis.
set -euo pipefail
. "$(dirname "$0")/common.sh"

# Poco's Windows headers include <Winsock2.h> and <Iphlpapi.h>; MinGW's are
# lower-case. Forwarding headers beside Poco's bridge that for Poco's own
# build and for everything that includes Poco; wincrypt.h's TIMESTAMP_*
# macros would clash with Poco's ICMP enumerators.
install_forwarding_headers() {
  local dir=$1
  mkdir -p "$dir"
  printf '#pragma once\n#include <winsock2.h>\n' > "$dir/Winsock2.h"
  printf '#pragma once\n#include <iphlpapi.h>\n#undef TIMESTAMP_REQUEST\n#undef TIMESTAMP_REPLY\n' > "$dir/Iphlpapi.h"
}
[ -f "$TOVANE_DEPS_PREFIX/include/Iphlpapi.h" ] || install_forwarding_headers "$TOVANE_DEPS_PREFIX/include"

# Poco's Util package asks for its XML and JSON packages even when Util is
# built without them, as here (its targets say so); the request goes.
fix_poco_util_package() {
  local file=$TOVANE_DEPS_PREFIX/cmake/PocoUtilConfig.cmake
  if [ -f "$file" ] && grep -q 'find_dependency(Poco\(XML\|JSON\))' "$file"; then
    sed -i '/find_dependency(Poco\(XML\|JSON\))/d' "$file"
  fi
}
fix_poco_util_package

STAMP=$TOVANE_DEPS_PREFIX/.complete
ZYDIS_STAMP=$TOVANE_DEPS_PREFIX/.built-zydis
[ -f "$STAMP" ] && [ -f "$ZYDIS_STAMP" ] && exit 0

WORK=$TOVANE_CACHE/mingw-deps-build-$TOVANE_DEPS_VERSION
SRC=$TOVANE_CACHE/debian-sources
APTDIR=$TOVANE_CACHE/apt-src
JOBS=${JOBS:-$(nproc)}
TOOLCHAIN=$TOVANE_ROOT/cmake/mingw-w64-x86_64.cmake
mkdir -p "$WORK" "$SRC" "$TOVANE_DEPS_PREFIX"
log "cross-building Windows dependencies into $TOVANE_DEPS_PREFIX (first run only)"

# A private apt configuration with deb-src lines for the machine's own
# suites, so the machine's apt sources stay untouched.
apt_opts=(-o APT::Sandbox::User=root -o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$APTDIR/sources.list.d"
          -o "Dir::State::Lists=$APTDIR/lists" -o "Dir::Cache=$APTDIR/cache")
if [ ! -f "$APTDIR/.ready" ]; then
  mkdir -p "$APTDIR/sources.list.d" "$APTDIR/lists/partial" "$APTDIR/cache/archives/partial"
  cat > "$APTDIR/sources.list.d/src.sources" <<SRCS
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRCS
  apt-get "${apt_opts[@]}" update -qq
  touch "$APTDIR/.ready"
fi

# fetch_source NAME: unpacks Debian's source package NAME (with its patches)
# below $SRC and prints the unpacked folder. Tries every listed version, since
# an index may name a version the mirror no longer serves.
fetch_source() {
  local name=$1 dir
  dir=$(find "$SRC" -maxdepth 1 -mindepth 1 -type d -name "$2-*" | head -n1)
  if [ -n "$dir" ]; then echo "$dir"; return; fi
  local versions v ok=
  versions=$(apt-cache "${apt_opts[@]}" showsrc "$name" | awk '/^Version:/{print $2}')
  for v in $versions; do
    if (cd "$SRC" && apt-get "${apt_opts[@]}" source --download-only -qq "$name=$v" >/dev/null 2>&1); then
      ok=$v; break
    fi
  done
  [ -n "$ok" ] || die "cannot download the source package $name"
  local dsc
  dsc=$(ls "$SRC"/*_"${ok#*:}".dsc | head -n1)
  (cd "$SRC" && dpkg-source --no-check -x "$dsc" >/dev/null 2>&1)
  dir=$(find "$SRC" -maxdepth 1 -mindepth 1 -type d -name "$2-*" | head -n1)
  [ -n "$dir" ] || die "cannot unpack $name"
  echo "$dir"
}

# The cache's paths stay out of the libraries (and so out of the program):
# __FILE__ in Poco's assertions names the file from its package's folder.
# With the same sources every machine builds the same bytes.
PATH_MAPS="-ffile-prefix-map=$SRC/= -ffile-prefix-map=$WORK/= -ffile-prefix-map=$TOVANE_DEPS_PREFIX/="
export CFLAGS="${CFLAGS:+$CFLAGS }$PATH_MAPS" CXXFLAGS="${CXXFLAGS:+$CXXFLAGS }$PATH_MAPS"

cmake_build() { # name srcdir args...
  local name=$1 src=$2; shift 2
  [ -f "$TOVANE_DEPS_PREFIX/.built-$name" ] && return 0
  log "  building $name"
  rm -rf "$WORK/$name"
  cmake -S "$src" -B "$WORK/$name" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DTOVANE_DEPS_PREFIX="$TOVANE_DEPS_PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$TOVANE_DEPS_PREFIX" \
    -DBUILD_SHARED_LIBS=OFF "$@" >"$WORK/$name.configure.log" 2>&1 \
    || { tail -n 30 "$WORK/$name.configure.log"; die "configure of $name failed"; }
  cmake --build "$WORK/$name" -j "$JOBS" >"$WORK/$name.build.log" 2>&1 \
    || { tail -n 40 "$WORK/$name.build.log"; die "build of $name failed"; }
  cmake --install "$WORK/$name" >/dev/null
  touch "$TOVANE_DEPS_PREFIX/.built-$name"
}

# OpenSSL's two libraries (libcrypto, libssl), static, and their headers:
# no programs, tests, documentation, engines or loadable modules, and no
# configuration file read at start-up (the program carries its settings).
# Algorithms TLS does not use are left out, which also shortens the build.
# The library keeps default folders as strings (its configuration, certificate
# and module folders): they name the places a Windows installation of OpenSSL
# uses, which only administrators can write, never the cache's folder, which
# would put this machine's path into the program and name a folder any user
# could make on the program's drive.
OPENSSL_WINDOWS_DIRS=(OPENSSLDIR="C:/Program Files/Common Files/SSL"
  ENGINESDIR="C:/Program Files/OpenSSL/lib/engines-3" MODULESDIR="C:/Program Files/OpenSSL/lib/ossl-modules")
build_openssl() {
  local src=$1 dir=$WORK/openssl
  [ -f "$TOVANE_DEPS_PREFIX/.built-openssl" ] && return 0
  log "  building openssl"
  rm -rf "$dir"; mkdir -p "$dir"
  local mingw=x86_64-w64-mingw32
  (cd "$dir" && CC=$mingw-gcc-posix CXX=$mingw-g++-posix AR=$mingw-ar RANLIB=$mingw-ranlib RC=$mingw-windres \
     perl "$src/Configure" mingw64 no-shared no-module no-engine no-dso no-tests no-autoload-config \
       no-legacy no-comp no-ssl3 no-dtls no-srp no-idea no-mdc2 no-rc2 no-rc4 no-rc5 no-md4 no-seed \
       no-whirlpool no-camellia no-aria no-sm2 no-sm3 no-sm4 no-bf no-cast no-cms no-ts no-siphash \
       --prefix="$TOVANE_DEPS_PREFIX" --libdir=lib --openssldir="C:/Program Files/Common Files/SSL") >"$WORK/openssl.configure.log" 2>&1 \
    || { tail -n 30 "$WORK/openssl.configure.log"; die "configure of openssl failed"; }
  make -C "$dir" -j "$JOBS" build_libs "${OPENSSL_WINDOWS_DIRS[@]}" >"$WORK/openssl.build.log" 2>&1 \
    || { tail -n 40 "$WORK/openssl.build.log"; die "build of openssl failed"; }
  make -C "$dir" install_dev >"$WORK/openssl.install.log" 2>&1 \
    || { tail -n 20 "$WORK/openssl.install.log"; die "install of openssl failed"; }
  touch "$TOVANE_DEPS_PREFIX/.built-openssl"
}

if [ ! -f "$STAMP" ]; then
# GoogleTest
cmake_build googletest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON

# libpng (zlib from libz-mingw-w64-dev)
png=$(fetch_source libpng1.6 libpng1.6)
cmake_build libpng "$png" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON

# libjpeg-turbo (no SIMD: spares the nasm dependency)
jpeg=$(fetch_source libjpeg-turbo libjpeg-turbo)
cmake_build libjpeg "$jpeg" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF

# JsonCpp
json=$(fetch_source libjsoncpp libjsoncpp)
cmake_build jsoncpp "$json" -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF \
  -DBUILD_STATIC_LIBS=ON -DBUILD_OBJECT_LIBS=OFF -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF \
  -DJSONCPP_WITH_CMAKE_PACKAGE=ON

# OpenSSL
openssl=$(fetch_source openssl openssl)
build_openssl "$openssl"

# Poco: Foundation, Net and the TLS layer NetSSL_OpenSSL (with the Crypto and
# Util it is built on; Util without its XML and JSON configurations), with
# the forwarding headers above.
poco=$(fetch_source poco poco)
fwd=$WORK/poco-forward-headers
install_forwarding_headers "$fwd"
poco_off=()
for c in XML JSON MONGODB REDIS PDF NETSSL_WIN JWT DATA DATA_SQLITE DATA_MYSQL \
         DATA_POSTGRESQL DATA_ODBC SEVENZIP ZIP APACHECONNECTOR CPPPARSER ENCODINGS ENCODINGS_COMPILER \
         PAGECOMPILER PAGECOMPILER_FILE2PAGE POCODOC ACTIVERECORD ACTIVERECORD_COMPILER TESTS; do
  poco_off+=("-DENABLE_$c=OFF")
done
cmake_build poco "$poco" "${poco_off[@]}" -DENABLE_FOUNDATION=ON -DENABLE_NET=ON \
  -DENABLE_NETSSL=ON -DENABLE_CRYPTO=ON -DENABLE_UTIL=ON \
  -DOPENSSL_ROOT_DIR="$TOVANE_DEPS_PREFIX" -DOPENSSL_USE_STATIC_LIBS=ON \
  -DPOCO_STATIC=ON -DPOCO_MT=OFF -DCMAKE_MC_COMPILER=/usr/bin/x86_64-w64-mingw32-windmc \
  -DCMAKE_CXX_FLAGS="$CXXFLAGS -I$fwd" -DCMAKE_C_FLAGS="$CFLAGS -I$fwd"
fix_poco_util_package

touch "$STAMP"
fi

# Zydis, decoder only (the API hooks decode the first instructions of the
# system functions), static, without tools, tests or docs. The decoder uses
# nothing of Zycore but its headers, so Zycore comes as a header-only CMake
# package made from Debian's libzycore-dev (its source is not served).
install_zycore_headers() {
  local dir=$TOVANE_DEPS_PREFIX/lib/cmake/zycore
  [ -f "$dir/zycore-config.cmake" ] && return 0
  [ -d /usr/include/Zycore ] || die "libzycore-dev is missing (scripts/bootstrap.sh installs it)"
  mkdir -p "$dir" "$TOVANE_DEPS_PREFIX/include"
  rm -rf "$TOVANE_DEPS_PREFIX/include/Zycore"
  cp -r /usr/include/Zycore "$TOVANE_DEPS_PREFIX/include/"
  cp "$(dpkg -L libzycore-dev | grep '/zyan-functions.cmake$' | head -n1)" "$dir/"
  cat > "$dir/zycore-config.cmake" <<'CFG'
# Zycore's headers only (what the Zydis decoder needs), for the cross build.
include("${CMAKE_CURRENT_LIST_DIR}/zyan-functions.cmake")
if(NOT TARGET Zycore)
  add_library(Zycore INTERFACE IMPORTED)
  get_filename_component(_zycore_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
  set_target_properties(Zycore PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_zycore_prefix}/include"
    INTERFACE_COMPILE_DEFINITIONS ZYCORE_STATIC_BUILD)
  unset(_zycore_prefix)
endif()
CFG
}
if [ ! -f "$ZYDIS_STAMP" ]; then
  install_zycore_headers
  zydis=$(fetch_source zydis zydis)
  cmake_build zydis "$zydis" -DZYDIS_BUILD_SHARED_LIB=OFF -DZYAN_SYSTEM_ZYCORE=ON \
    -DZycore_DIR="$TOVANE_DEPS_PREFIX/lib/cmake/zycore" -DZYDIS_FEATURE_FORMATTER=OFF \
    -DZYDIS_FEATURE_ENCODER=OFF -DZYDIS_BUILD_TOOLS=OFF -DZYDIS_BUILD_EXAMPLES=OFF \
    -DZYDIS_BUILD_TESTS=OFF -DZYDIS_BUILD_MAN=OFF -DZYDIS_BUILD_DOXYGEN=OFF
fi

log "Windows dependencies ready"
