# Wine settings of the project (sourced): a prefix of its own in the cache,
# no Mono/Gecko prompts, no debug chatter, Chinese glyphs through font linking.
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# TOVANE_WINE_DPI=N runs under a display of N DPI: a prefix of its own beside
# the project's (...-dpiN), whose LogPixels is N. Wine reads it at each
# program's start; there is one DPI per prefix, as one per Windows session.
if [ -n "${TOVANE_WINE_DPI:-}" ]; then
  [[ "$TOVANE_WINE_DPI" =~ ^[0-9]+$ ]] && ((TOVANE_WINE_DPI >= 72 && TOVANE_WINE_DPI <= 480)) \
    || { printf '[tovane] error: TOVANE_WINE_DPI must be a DPI from 72 to 480, not "%s"\n' "$TOVANE_WINE_DPI" >&2; exit 1; }
  export WINEPREFIX=$TOVANE_WINEPREFIX-dpi$TOVANE_WINE_DPI
else
  export WINEPREFIX=$TOVANE_WINEPREFIX
fi
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE=${WINE:-$(command -v wine64 || command -v wine)}
export WINE

# start_xvfb: starts a private X server when DISPLAY is unset and exports
# DISPLAY; TOVANE_XVFB_PID stays a shell variable. Xvfb chooses a free display itself.
start_xvfb() {
  [ -n "${DISPLAY:-}" ] && return 0
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  TOVANE_XVFB_PID=$!
  local num; read -r -t 20 num <"$fifo" || true; rm -f "$fifo"
  [ -n "$num" ] || die "Xvfb did not start"
  export DISPLAY=":$num"  # the pid stays private: only its starter stops it
}
stop_xvfb() {
  if [ -n "${TOVANE_XVFB_PID:-}" ]; then kill "$TOVANE_XVFB_PID" 2>/dev/null; wait "$TOVANE_XVFB_PID" 2>/dev/null; fi
  TOVANE_XVFB_PID=
}

# install_wine_fonts: copies Wine's own fonts (Tahoma, Marlett, the MS Sans
# Serif bitmaps, ...) into the prefix's Fonts folder. Debian's Wine looks for
# them through a path it cannot resolve, and without Tahoma "MS Shell Dlg"
# falls back to whatever fontconfig offers, with other dialog units.
install_wine_fonts() {
  local dir
  for dir in ${TOVANE_WINE_FONTS:-} /usr/share/wine/fonts /usr/lib/wine/fonts /opt/wine*/share/wine/fonts; do
    [ -f "$dir/tahoma.ttf" ] || continue
    cp -n "$dir"/*.ttf "$dir"/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    return 0
  done
  die "Wine's fonts (tahoma.ttf) are missing: install the Debian package fonts-wine"
}

# ensure_wineprefix: creates the prefix once (under a lock, so parallel test
# processes wait for the first one) with the font substitutes and links.
ensure_wineprefix() {
  [ -f "$WINEPREFIX/.tovane-ready" ] && return 0
  mkdir -p "$TOVANE_CACHE"
  (
    flock 9
    [ -f "$WINEPREFIX/.tovane-ready" ] && exit 0
    log "creating the Wine prefix $WINEPREFIX${TOVANE_WINE_DPI:+ at $TOVANE_WINE_DPI DPI} (first run only)"
    rm -rf "$WINEPREFIX"
    DISPLAY= "$WINE" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    install_wine_fonts
    local reg; reg=$(mktemp --suffix=.reg)
    python3 - "$reg" <<'PY'
import os
import sys
cjk_face = "WenQuanYi Zen Hei"
cjk_file = "wqy-zenhei.ttc"
# Chinese faces a Windows program may ask for by name come from the CJK font.
cjk_names = ["宋体", "SimSun", "新宋体", "NSimSun", "微软雅黑", "Microsoft YaHei"]
# The dialog faces keep Wine's own Tahoma, so dialog units and control
# positions come out as on Windows; Chinese glyphs missing from Tahoma come
# from the CJK font through font linking, as Windows does with its own fonts.
linked = ["Tahoma", "MS Shell Dlg", "MS Shell Dlg 2", "Microsoft Sans Serif", "MS Sans Serif", "Segoe UI"]
def multi_sz(*values):
    data = "".join(v + "\0" for v in values) + "\0"
    return "hex(7):" + ",".join("%02x" % b for b in data.encode("utf-16-le"))
lines = ["Windows Registry Editor Version 5.00", "", r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
lines += ['"%s"="%s"' % (n, cjk_face) for n in cjk_names]
lines += ["", r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]"]
lines += ['"%s"=%s' % (n, multi_sz("%s,%s" % (cjk_file, cjk_face))) for n in linked]
# No window manager runs on the test display: unmanaged windows spare Wine's
# wait for a manager at every hide and destroy.
lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", '"Managed"="N"', '"Decorated"="Y"']
# The display's DPI: the user's setting (what winecfg writes, and what Wine
# reads first) and the machine's.
dpi = os.environ.get("TOVANE_WINE_DPI")
if dpi:
    value = 'dword:%08x' % int(dpi)
    lines += ["", r"[HKEY_CURRENT_USER\Control Panel\Desktop]", '"LogPixels"=' + value]
    lines += ["", r"[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]",
              '"LogPixels"=' + value]
open(sys.argv[1], "w", encoding="utf-16").write("\r\n".join(lines) + "\r\n")
PY
    DISPLAY= "$WINE" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1
    wineserver -w
    rm -f "$reg"
    touch "$WINEPREFIX/.tovane-ready"
  ) 9>"$TOVANE_CACHE/wineprefix.lock"
}

# start_wine_services: starts the prefix's background processes (wineserver,
# services, desktop) detached from our output, so that a caller waiting for
# the end of a program's output (CTest) never waits for them.
start_wine_services() {
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# start_desktop_holder: starts wine-desktop-holder.c (compiled once into the
# cache) detached from our output and waits until it uses the desktop, so that
# Wine's desktop process lives for the whole session and never holds a test's
# output open. TOVANE_HOLDER_PID stays a shell variable. Without the MinGW
# compiler it says so and goes on without a holder.
start_desktop_holder() {
  local src="$TOVANE_ROOT/scripts/wine-desktop-holder.c" cc=x86_64-w64-mingw32-gcc-posix
  command -v "$cc" >/dev/null || cc=x86_64-w64-mingw32-gcc
  if ! command -v "$cc" >/dev/null; then log "no MinGW compiler: Wine's desktop is not held"; return 0; fi
  local exe; exe="$TOVANE_CACHE/wine-desktop-holder-$(sha256sum "$src" | cut -c1-12).exe"
  if [ ! -f "$exe" ]; then
    mkdir -p "$TOVANE_CACHE"
    "$cc" -O2 -municode -mwindows -o "$exe.tmp" "$src" -lshell32 && mv "$exe.tmp" "$exe" \
      || { log "the desktop holder did not build: Wine's desktop is not held"; return 0; }
  fi
  local ready; ready=$(mktemp -u --suffix=.ready)
  "$WINE" "$exe" "$(winepath_of "$ready")" </dev/null >/dev/null 2>&1 &
  TOVANE_HOLDER_PID=$!
  local i
  for i in $(seq 100); do
    [ -f "$ready" ] && break
    kill -0 "$TOVANE_HOLDER_PID" 2>/dev/null || break
    sleep 0.1
  done
  [ -f "$ready" ] || log "the desktop holder is not ready; going on"
  rm -f "$ready"
}
stop_desktop_holder() {
  if [ -n "${TOVANE_HOLDER_PID:-}" ]; then kill "$TOVANE_HOLDER_PID" 2>/dev/null; wait "$TOVANE_HOLDER_PID" 2>/dev/null; fi
  TOVANE_HOLDER_PID=
}

# winepath_of PATH: the Windows form (Z:\...) of an absolute Unix path.
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }
