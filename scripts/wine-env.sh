# Wine settings of the project (sourced): a prefix of its own in the cache,
# no Mono/Gecko prompts, no debug chatter, Chinese fonts substituted.
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
export WINEPREFIX=$TOVANE_WINEPREFIX
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

# ensure_wineprefix: creates the prefix once (under a lock, so parallel test
# processes wait for the first one) with the font substitutes.
ensure_wineprefix() {
  [ -f "$WINEPREFIX/.tovane-ready" ] && return 0
  mkdir -p "$TOVANE_CACHE"
  (
    flock 9
    [ -f "$WINEPREFIX/.tovane-ready" ] && exit 0
    log "creating the Wine prefix $WINEPREFIX (first run only)"
    rm -rf "$WINEPREFIX"
    DISPLAY= "$WINE" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local reg; reg=$(mktemp --suffix=.reg)
    python3 - "$reg" <<'PY'
import sys
font = "WenQuanYi Zen Hei"
names = ["宋体", "SimSun", "新宋体", "NSimSun", "微软雅黑", "Microsoft YaHei", "MS Shell Dlg", "MS Shell Dlg 2", "Tahoma"]
lines = ["Windows Registry Editor Version 5.00", "", r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
lines += ['"%s"="%s"' % (n, font) for n in names]
# No window manager runs on the test display: unmanaged windows spare Wine's
# wait for a manager at every hide and destroy.
lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", '"Managed"="N"', '"Decorated"="Y"']
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

# winepath_of PATH: the Windows form (Z:\...) of an absolute Unix path.
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }
