#!/usr/bin/env bash
# The skin engine as a library: installs the Windows build's package into a
# fresh prefix, configures and builds tests/package/outside (a project that
# only finds the package and links TovaneSkin::skin) with a plain MinGW-w64
# toolchain, and runs the program under Wine: it must skin a push button
# with the gallery's test theme and show that theme's picture.
#   outside_project_test.sh BUILD_DIR THEME_ZIP COLOURS_TSV
set -euo pipefail
build=$1 theme=$2 colours=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" --component TovaneSkin >/dev/null
for f in include/tovane/skin_api.h lib/libtovane_skin.a lib/cmake/TovaneSkin/TovaneSkinConfig.cmake; do
  [ -f "$work/prefix/$f" ] || { echo "the install lacks $f"; exit 1; }
done

cmake -S "$here/outside" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$here/outside/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DOUTSIDE_THEME="$theme" >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }

colour=$(awk '$3 == "gallery.button.normal" { print $1 }' "$colours")
[ -n "$colour" ] || { echo "no colour of gallery.button.normal in $colours"; exit 1; }
"$root/scripts/winerun" "$work/build/outside.exe" gallery.button "$colour"
