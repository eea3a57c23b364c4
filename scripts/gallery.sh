#!/usr/bin/env bash
# The control gallery: builds it and runs it under Wine.
#
# With a DISPLAY the gallery is yours to try (GALLERY_THEME=test for the
# solid-colour test theme, GALLERY_THEME=none for the system look). Without
# one it runs on a private X server and leaves screenshots of both themes
# and of the system look in build/gallery/.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
cd "$TOVANE_ROOT"
"$TOVANE_ROOT/scripts/bootstrap.sh"

JOBS=${JOBS:-$(nproc)}
log "building the gallery"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$JOBS" --target gallery
exe=build/win64/examples/gallery/gallery.exe
out=$TOVANE_ROOT/build/gallery

if [ -n "${DISPLAY:-}" ]; then
  theme=${GALLERY_THEME:-showcase}
  args=(--theme="$theme")
  [ "$theme" = none ] && args=(--unskinned)
  log "the gallery with the $theme theme; close it to end"
  exec "$TOVANE_ROOT/scripts/winerun" "$exe" "${args[@]}"
fi

rm -rf "$out"; mkdir -p "$out"
shots() {
  local name args
  for name in showcase test system; do
    args=(--theme="$name")
    [ "$name" = system ] && args=(--unskinned)
    "$WINE" "$exe" "${args[@]}" --screenshot="$(winepath_of "$out/gallery-$name.bmp")" \
      || die "the gallery ($name) did not leave its screenshot"
    convert "$out/gallery-$name.bmp" "$out/gallery-$name.png" && rm -f "$out/gallery-$name.bmp"
  done
}
export -f shots die log winepath_of
export exe out
"$TOVANE_ROOT/scripts/wine-session.sh" bash -c shots
log "screenshots: $out/gallery-showcase.png, $out/gallery-test.png, $out/gallery-system.png"
