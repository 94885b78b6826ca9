#!/bin/sh
# devsetup.exe under Wine on a display: the package's data files in a fresh
# installation folder, ptrservice.dll and the Control Object stand-ins
# registered (the public line display Control Object of this width over its
# stand-in), a virtual printer with a customer display on loopback, then
# test_devsetup_gui.exe.
#   run-devsetup-gui.sh <windows bin> <native bin> <wine-run.sh> <data dir> <work dir> [test args]
# Exit 77 (skipped) without a display or a built piece. The ServiceInfo
# values are put back as they were, the stand-ins unregistered and Wine's
# frame drawing left to the window manager again.
set -eu
WINBIN=$1 NATIVEBIN=$2 WINE=$3 DATA=$4 WORK=$5
shift 5
SERVICEINFO='HKEY_LOCAL_MACHINE\Software\OLEforRetail\ServiceInfo\Tavo OPOS'

skip() { echo "devsetup GUI test skipped: $*"; exit 77; }
[ -n "${DISPLAY:-}" ] || skip "no display (run under xvfb-run)"
for f in devsetup.exe costandin.dll ptrservice.dll portmgr.dll test_devsetup_gui.exe; do
  [ -f "$WINBIN/$f" ] || skip "no $WINBIN/$f"
done

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
regtext() { winpath "$1" | sed 's/\\/\\\\/g'; }

rm -rf "$WORK"
mkdir -p "$WORK/install/Utility" "$WORK/shots" "$WORK/vprinter"
cp "$DATA"/*.inf "$WORK/install/"
TAVO_WINE_ENV_ONLY=1
. "$WINE"
"$TAVO_WINESERVER" -p 20 >/dev/null 2>&1 </dev/null || true
"$WINE" cmd /c exit 0 >/dev/null 2>&1 </dev/null || true

VP=
CCO="$(cd "$(dirname "$0")/../../cco" && pwd)/$WINEARCH/OPOSLineDisplay.ocx"
cleanup() {
  set +e
  [ -n "$VP" ] && kill "$VP" 2>/dev/null && wait "$VP" 2>/dev/null
  [ -f "$CCO" ] && "$WINE" regsvr32 /s /u "$(winpath "$CCO")" >/dev/null 2>&1
  "$WINE" regsvr32 /s /u "$(winpath "$WINBIN/costandin.dll")" >/dev/null 2>&1
  printf 'REGEDIT4\r\n\r\n[-%s]\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"=-\r\n' \
    "$SERVICEINFO" >"$WORK/remove.reg"
  "$WINE" regedit /s "$(winpath "$WORK/remove.reg")" >/dev/null 2>&1
  [ -s "$WORK/saved.reg" ] && "$WINE" regedit /s "$(winpath "$WORK/saved.reg")" >/dev/null 2>&1
}
trap cleanup EXIT
trap 'exit 1' INT TERM

PORT= DISPLAYPORT=
if [ -x "$NATIVEBIN/tavo-vprinter" ]; then
  "$NATIVEBIN/tavo-vprinter" --tcp 0 --no-stdin --out "$WORK/vprinter" --display-tcp 0 --display-model QDX-200 \
    >"$WORK/vprinter.out" 2>"$WORK/vprinter.err" </dev/null &
  VP=$!
  for _ in $(seq 100); do
    PORT=$(sed -n 's/^listening tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$WORK/vprinter.out" 2>/dev/null || true)
    [ -n "$PORT" ] && break
    kill -0 "$VP" 2>/dev/null || break
    sleep 0.1
  done
  DISPLAYPORT=$(sed -n 's/^display tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$WORK/vprinter.out")
fi

"$WINE" regedit /e "$(winpath "$WORK/saved.reg")" "$SERVICEINFO" >/dev/null 2>&1 || rm -f "$WORK/saved.reg"
{
  # Every run starts from a till without devices, whatever an earlier test
  # of this prefix left under the device classes.
  printf 'REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\Software\\OLEforRetail\\ServiceOPOS]\r\n\r\n'
  printf '[%s]\r\n' "$SERVICEINFO"
  printf '"Installdir"="%s"\r\n"mngdir"="%s"\r\n' "$(regtext "$WORK/install")" "$(regtext "$WINBIN/portmgr.dll")"
  # No window manager on the virtual display: Wine draws the caption frames.
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n'
} >"$WORK/serviceinfo.reg"
"$WINE" regedit /s "$(winpath "$WORK/serviceinfo.reg")"
"$WINE" regsvr32 /s "$(winpath "$WINBIN/ptrservice.dll")" || { echo "regsvr32 ptrservice.dll failed" >&2; exit 1; }
"$WINE" regsvr32 /s "$(winpath "$WINBIN/costandin.dll")" || { echo "regsvr32 costandin.dll failed" >&2; exit 1; }
"$WINE" regsvr32 /s "$(winpath "$CCO")" || { echo "regsvr32 $CCO failed" >&2; exit 1; }

export TAVO_GUI_DEVSETUP="$(winpath "$WINBIN/devsetup.exe")" TAVO_GUI_INSTALL="$(winpath "$WORK/install")"
export TAVO_GUI_SHOTS="$(winpath "$WORK/shots")" TAVO_GUI_VP_PORT="$PORT" TAVO_GUI_VD_PORT="$DISPLAYPORT" TAVO_GUI_VP_OUT="$(winpath "$WORK/vprinter")"
set +e
"$WINE" "$WINBIN/test_devsetup_gui.exe" --gtest_brief=0 "$@"
rc=$?
set -e
# Screenshots as PNG beside the BMPs (docs/ holds copies of these).
for bmp in "$WORK"/shots/*.bmp; do
  [ -f "$bmp" ] && python3 "$(dirname "$0")/bmp2png.py" "$bmp" "${bmp%.bmp}.png"
done
exit $rc
