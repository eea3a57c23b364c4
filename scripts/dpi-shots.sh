#!/usr/bin/env bash
# dpi-shots.sh [DPI...]: the installer on displays of these DPIs (default 96
# 120 144 192), each in its own Wine prefix: runs the headless demo at each
# and keeps its screenshots in build/dpi-shots/DPI/, the window with a device
# attached as build/dpi-shots/installer-DPI.png.
set -euo pipefail
. "$(dirname "$0")/common.sh"
out=$TOVANE_ROOT/build/dpi-shots
mkdir -p "$out"
dpis=("$@")
((${#dpis[@]})) || dpis=(96 120 144 192)
for dpi in "${dpis[@]}"; do
  log "the installer at $dpi DPI"
  DISPLAY= TOVANE_WINE_DPI=$dpi TOVANE_DEMO_DIR="$out/$dpi" "$TOVANE_ROOT/scripts/demo.sh"
  cp "$out/$dpi/2-device-ready.png" "$out/installer-$dpi.png"
done
log "screenshots: $out/installer-*.png"
