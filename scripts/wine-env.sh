# Sourced by the scripts: where things are, and the Wine environment the
# Windows programs run in (our own prefix, code page 932 through the locale).
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$ROOT/build/wineprefix"
export WINEDEBUG=-all
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
WINE=/usr/lib/wine/wine64

# Windows form of a Linux path (Wine maps / to Z:).
winpath() { printf 'Z:%s' "$(realpath -m "$1" | sed 's#/#\\#g')"; }

# Creates the Wine prefix once. Windows are left unmanaged: without a window
# manager under Xvfb, Wine would wait for each hidden window to be withdrawn.
ensure_prefix() {
  [ -f "$WINEPREFIX/.tvp-ready" ] && return
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.tvp-ready"
}

# Runs "$@" inside one Xvfb display with a persistent wine server.
with_display() {
  ensure_prefix
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '"$@"; rc=$?; wineserver -k 2>/dev/null; exit $rc' _ "$@"
}

build_preset() {
  local preset=$1
  [ -f "$ROOT/build/$preset/build.ninja" ] || cmake --preset "$preset" -S "$ROOT" >/dev/null
  cmake --build --preset "$preset" -- -k 0 | grep -E 'error|FAILED|warning:' || true
  [ "${PIPESTATUS[0]}" -eq 0 ]
}
