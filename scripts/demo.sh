#!/usr/bin/env bash
# The installer's demo: builds it, registers the simulated Apple libraries,
# starts a local update service with a sample package, runs the installer
# under Wine and attaches a simulated jailbroken iPhone.
#
# With a DISPLAY the window is yours: click the big button to download and
# install. Without one the demo runs on a private X server, clicks the button
# itself and leaves screenshots in build/demo/ (TOVANE_DEMO_DIR).
#
# TOVANE_WINE_DPI=N (make demo DPI=N) shows it on a display of N DPI (120 is
# 125 %, 144 is 150 %, 192 is 200 %), in a Wine prefix of that DPI.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
cd "$TOVANE_ROOT"
"$TOVANE_ROOT/scripts/bootstrap.sh"

JOBS=${JOBS:-$(nproc)}
log "building the installer and the simulated device libraries"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$JOBS" --target tovane devsim_corefoundation devsim_mobiledevice
log "building the local update service"
cmake --preset native >/dev/null
cmake --build --preset native -j "$JOBS" --target tovane_update_server

demo=${TOVANE_DEMO_DIR:-$TOVANE_ROOT/build/demo}
rm -rf "$demo"; mkdir -p "$demo/devsim/devices"
export DEVSIM_ROOT=$demo/devsim

headless=
[ -n "${DISPLAY:-}" ] || headless=1
trap 'kill $(jobs -p) 2>/dev/null || true; wineserver -k 2>/dev/null || true; stop_xvfb || true' EXIT
ensure_wineprefix
# The display first: Wine's desktop process binds to the display it starts on.
start_xvfb
start_wine_services
"$TOVANE_ROOT/scripts/register-devsim.sh" build/win64/devsim

slow=--slow
build/native/tests/net/tovane_update_server $slow >"$demo/update-server.log" 2>&1 &
for _ in $(seq 50); do grep -q TOVANE_UPDATE_URL "$demo/update-server.log" && break; sleep 0.1; done
export TOVANE_UPDATE_URL=$(sed -n 's/^TOVANE_UPDATE_URL=//p' "$demo/update-server.log")
[ -n "$TOVANE_UPDATE_URL" ] || die "the update service did not start"
log "update service: $TOVANE_UPDATE_URL"

"$WINE" build/win64/app/tovane.exe &
app=$!

window=
for _ in $(seq 100); do
  window=$(xdotool search --name 'Tovane' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break; sleep 0.2
done
[ -n "$window" ] || die "the installer window did not appear"
# A screenshot of the installer's window alone, as the screen shows it.
shot() {
  [ -n "$headless" ] || return 0
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$demo/$1.png" 2>/dev/null || true
}
sleep 1; shot 1-waiting

device=$DEVSIM_ROOT/devices/00008030-001A2B3C4D5E
log "attaching a simulated iPhone: $device"
mkdir -p "$device/fs/var/root/Media/Cydia"
printf 'DeviceName=Tovane Demo iPhone\nProductType=iPhone10,3\n' >"$device/device.ini"
sleep 3; shot 2-device-ready

deb=$device/fs/var/root/Media/Cydia/AutoInstall/tovane_tl.deb
if [ -n "$headless" ]; then
  # Click the middle of the status button (window 63,95 .. 462,137 at
  # 96 DPI, scaled with the display: the skinned window has no system caption).
  eval "$(xdotool getwindowgeometry --shell "$window")"
  dpi=${TOVANE_WINE_DPI:-96}
  xdotool mousemove $((X + 262 * dpi / 96)) $((Y + 116 * dpi / 96)) click 1
  sleep 1.5; shot 3-downloading
  for _ in $(seq 60); do [ -f "$deb" ] && break; sleep 0.5; done
  sleep 1; shot 4-done
  if cmp -s "$deb" <(curl -s "${TOVANE_UPDATE_URL%/update.json*}/files/tovane_tl.deb"); then
    log "installed: $deb ($(stat -c %s "$deb") bytes, identical to the served package)"
  else
    log "the package did not arrive on the simulated device"
  fi
  log "screenshots: $demo/*.png"
  kill $app 2>/dev/null || true
else
  log "click the big button to download and install; close the window to end"
  log "the package lands in $deb"
  wait $app || true
fi
