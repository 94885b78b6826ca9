#!/bin/sh
# Both packages in one 64-bit prefix: the 64-bit and the 32-bit ptrservice.dll
# registered each in its own registry view, one device entry in each view,
# and a client of each width creating the Service Object by the same ProgID
# and printing through it to the native virtual printer.
#   run-both-widths.sh <win64 bin> <win32 bin> <native bin> <wine-run.sh> <profile> <work dir>
# Exit 77 (skipped) where 32-bit Wine cannot run or a piece is not built.
set -eu
BIN64=$1 BIN32=$2 NATIVEBIN=$3 WINE=$4 PROFILE=$5 WORK=$6
DEVICE=BothWidthsPrinter
SERVICEINFO='HKEY_LOCAL_MACHINE\Software\OLEforRetail\ServiceInfo\Tavo OPOS'
DEVICEKEY="HKEY_LOCAL_MACHINE\\Software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\$DEVICE"

skip() { echo "both-widths run skipped: $*"; exit 77; }
fail() { echo "both-widths run failed: $*" >&2; exit 1; }
# Retried once: a Wine program started while the prefix's background
# programs are still coming up can fail without a word.
wine_step() {
  what=$1; shift
  "$@" && return 0
  echo "retrying once: $what" >&2
  sleep 1
  "$@" || fail "$what"
}
TAVO_WINE_ENV_ONLY=1
. "$WINE"
tavo_can_run_win32 || skip "$TAVO_32BIT_REASON"
[ -x "$NATIVEBIN/tavo-vprinter" ] || skip "no virtual printer at $NATIVEBIN/tavo-vprinter (build the native preset)"
for f in "$BIN64/ptrservice.dll" "$BIN64/portmgr.dll" "$BIN64/demo-app.exe" \
         "$BIN32/ptrservice.dll" "$BIN32/portmgr.dll" "$BIN32/demo-app.exe"; do
  [ -f "$f" ] || skip "no $f (build the win32 and win64 presets)"
done

# A prefix made while 32-bit Wine could not run lacks its 32-bit programs;
# an update of the prefix puts them in.
SYSWOW64=$WINEPREFIX/drive_c/windows/syswow64
if [ ! -f "$SYSWOW64/regedit.exe" ]; then
  echo "the prefix has no 32-bit programs; updating it"
  "$WINE" wineboot -u >/dev/null 2>&1 </dev/null || true
  [ -f "$SYSWOW64/regedit.exe" ] || fail "the prefix $WINEPREFIX has no 32-bit programs (syswow64) and its update did not add them"
fi

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
regtext() { winpath "$1" | sed 's/\\/\\\\/g'; }
# The 32-bit registry tools of the prefix write the 32-bit view.
run64() { "$WINE" "$@"; }
run32() { tool=$1; shift; "$WINE" "C:\\windows\\syswow64\\$tool.exe" "$@"; }

rm -rf "$WORK"
OUT=$WORK/out
mkdir -p "$OUT"
"$TAVO_WINESERVER" -p 20 >/dev/null 2>&1 </dev/null || true
"$WINE" cmd /c exit 0 >/dev/null 2>&1 </dev/null || true

VP=
STEP="starting"
cleanup() {
  status=$?
  set +e
  case $status in 0|77) ;; *) echo "both-widths run ended with $status during: $STEP" >&2 ;; esac
  [ -n "$VP" ] && kill "$VP" 2>/dev/null && wait "$VP" 2>/dev/null
  printf 'REGEDIT4\r\n\r\n[-%s]\r\n\r\n[-%s]\r\n' "$SERVICEINFO" "$DEVICEKEY" >"$WORK/remove.reg"
  run64 regedit /s "$(winpath "$WORK/remove.reg")" >/dev/null 2>&1
  run32 regedit /s "$(winpath "$WORK/remove.reg")" >/dev/null 2>&1
  run64 regsvr32 /u /s "$(winpath "$BIN64/ptrservice.dll")" >/dev/null 2>&1
  run32 regsvr32 /u /s "$(winpath "$BIN32/ptrservice.dll")" >/dev/null 2>&1
}
trap cleanup EXIT
trap 'echo "both-widths run interrupted by a signal" >&2; exit 1' INT TERM

"$NATIVEBIN/tavo-vprinter" --tcp 0 --no-stdin --out "$OUT" >"$WORK/vprinter.out" 2>"$WORK/vprinter.err" </dev/null &
VP=$!
STEP="waiting for the virtual printer"
PORT=
for _ in $(seq 100); do
  PORT=$(sed -n 's/^listening tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$WORK/vprinter.out" 2>/dev/null || true)
  [ -n "$PORT" ] && break
  kill -0 "$VP" 2>/dev/null || break
  sleep 0.1
done
[ -n "$PORT" ] || { echo "the virtual printer did not start:" >&2; cat "$WORK/vprinter.err" >&2; exit 1; }

# entry <bin folder>: ServiceInfo naming that width's port library, and the device.
entry() {
  printf 'REGEDIT4\r\n\r\n[%s]\r\n' "$SERVICEINFO"
  printf '"Installdir"="%s"\r\n"mngdir"="%s"\r\n\r\n' "$(regtext "$1")" "$(regtext "$1/portmgr.dll")"
  printf '[%s]\r\n@="Tavo.POSPrinter.ServiceObject.1.9"\r\n' "$DEVICEKEY"
  printf '"DeviceName"="E2E-80"\r\n"DeviceDesc"="Both widths"\r\n"Version"="1.9.3"\r\n"DeviceClass"="POSPrinter"\r\n'
  printf '"Port"="Ethernet"\r\n"TcpIp"="127.0.0.1"\r\n"TcpPort"=dword:%08x\r\n' "$PORT"
  printf '"InputBuf"="8192"\r\n"OutputBuf"="8192"\r\n"Timeout"="1000"\r\n'
  printf '"type"=dword:00000001\r\n"Porttype"=dword:00000004\r\n"inf"="%s"\r\n' "$(regtext "$PROFILE")"
}
entry "$BIN64" >"$WORK/entry64.reg"
entry "$BIN32" >"$WORK/entry32.reg"
STEP="writing the device entries"
wine_step "64-bit regedit of the device entry" run64 regedit /s "$(winpath "$WORK/entry64.reg")"
wine_step "32-bit regedit of the device entry" run32 regedit /s "$(winpath "$WORK/entry32.reg")"
STEP="registering the servers"
wine_step "64-bit regsvr32 ptrservice.dll" run64 regsvr32 /s "$(winpath "$BIN64/ptrservice.dll")"
wine_step "32-bit regsvr32 ptrservice.dll" run32 regsvr32 /s "$(winpath "$BIN32/ptrservice.dll")"
echo "virtual printer on 127.0.0.1:$PORT; both servers registered"

STEP="printing"
rc=0
for width in 64 32; do
  eval bin=\$BIN$width
  printf 'Printed by the %s-bit client\n' "$width" >"$WORK/receipt$width.txt"
  echo "--- $width-bit client"
  "$WINE" "$(winpath "$bin/demo-app.exe")" "$DEVICE" "$(winpath "$WORK/receipt$width.txt")" || rc=1
done
sleep 0.5
for width in 64 32; do
  if ! grep -q "Printed by the $width-bit client" "$OUT/commands.jsonl" 2>/dev/null; then
    echo "the virtual printer never received the $width-bit client's receipt" >&2
    rc=1
  fi
done
[ $rc = 0 ] || { echo "--- virtual printer stderr"; cat "$WORK/vprinter.err"; }
exit $rc
