#!/bin/sh
# Creates a Wine prefix once; later calls return at once.
#   make-wineprefix.sh <win32|win64> <prefix> [null]
# "null" selects Wine's null graphics driver (hidden windows, no X display).
# Every failure ends with one plain sentence saying what failed and why.
set -eu
arch=$1 prefix=$2 graphics=${3:-}
. "$(dirname "$0")/wine-env.sh"
[ -f "$prefix/.tavo-ready" ] && exit 0
fail() { echo "$*" >&2; exit 1; }

case "$arch" in
  win32)
    tavo_can_run_win32 || fail "The 32-bit Wine prefix cannot be made: $TAVO_32BIT_REASON."
    what="32-bit" ;;
  win64) what="64-bit" ;;
  *) fail "make-wineprefix.sh: unknown Wine architecture '$arch' (win32 or win64)" ;;
esac
tavo_wine_env "$arch" "$prefix"
[ -x "$TAVO_WINE" ] || fail "The $what Wine prefix cannot be made: $TAVO_WINE is missing (./run deps installs Wine)."

mkdir -p "$prefix"
log=$prefix/../wineprefix-setup.log
# wineboot's exit code is not telling (a 64-bit prefix without 32-bit Wine
# misses syswow64 programs, harmlessly); the written registry is.
"$TAVO_WINE" wineboot -i >"$log" 2>&1 || true
"$TAVO_WINESERVER" -w
if [ ! -f "$prefix/system.reg" ]; then
  fail "The $what Wine prefix could not be created at $prefix: wineboot failed (its output is in $log)."
fi
# A crashing program must exit instead of waiting in a debugger dialog.
aedebug='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
"$TAVO_WINE" reg add "$aedebug" /v Debugger /d '' /f >>"$log" 2>&1 &&
  "$TAVO_WINE" reg add "$aedebug" /v Auto /d 0 /f >>"$log" 2>&1 ||
  fail "The $what Wine prefix at $prefix was made but its crash handler could not be switched off (see $log)."
if [ "$graphics" = null ]; then
  "$TAVO_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >>"$log" 2>&1 ||
    fail "The $what Wine prefix at $prefix was made but its null graphics driver could not be set (see $log)."
fi
"$TAVO_WINESERVER" -w
touch "$prefix/.tavo-ready"
