#!/bin/sh
# Creates a 32-bit Wine prefix at $1 once; later calls return at once.
set -eu
prefix=$1
[ -f "$prefix/.tavo-ready" ] && exit 0
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1 || true
# A crashing program must exit instead of waiting in a debugger dialog.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f >/dev/null 2>&1
wineserver -w
[ -f "$prefix/system.reg" ] || { echo "wine prefix creation failed: $prefix" >&2; exit 1; }
touch "$prefix/.tavo-ready"
