#!/usr/bin/env bash
# register-devsim.sh DLL_FOLDER: registers the simulated Apple libraries in
# the project's Wine prefix exactly where the installer looks for Apple's.
# register-devsim.sh --remove: removes those registry values again.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
ensure_wineprefix
md_key='HKLM\SOFTWARE\Apple Inc.\Apple Mobile Device Support\Shared'
as_key='HKLM\SOFTWARE\Apple Inc.\Apple Application Support'
if [ "${1:-}" = "--remove" ]; then
  "$WINE" reg delete "$md_key" /v iTunesMobileDeviceDLL /f >/dev/null 2>&1 || true
  "$WINE" reg delete "$as_key" /v InstallDir /f >/dev/null 2>&1 || true
  exit 0
fi
folder=$(cd "${1:?usage: register-devsim.sh DLL_FOLDER}" && pwd)
[ -f "$folder/iTunesMobileDevice.dll" ] && [ -f "$folder/CoreFoundation.dll" ] \
  || die "no simulated libraries in $folder"
win=$(winepath_of "$folder")
"$WINE" reg add "$md_key" /v iTunesMobileDeviceDLL /t REG_SZ /d "$win\\iTunesMobileDevice.dll" /f >/dev/null
"$WINE" reg add "$as_key" /v InstallDir /t REG_SZ /d "$win\\" /f >/dev/null
