#!/bin/sh
# The end-to-end run: native virtual printer on loopback, the device entry
# in the build's Wine prefix, ptrservice.dll registered, then test_e2e.exe.
#   run-e2e.sh <windows bin> <native bin> <wine-run.sh> <wine prefix> <profile> <work dir> [test args]
# Exit 77 (skipped) when a piece is not built; the registry values this run
# changes are put back as they were when it ends.
set -eu
WINBIN=$1 NATIVEBIN=$2 WINE=$3 PREFIX=$4 PROFILE=$5 WORK=$6
shift 6  # the rest goes to the test program (--gtest_filter=...)
DEVICE=E2EPrinter
SERVICEINFO='HKEY_LOCAL_MACHINE\Software\OLEforRetail\ServiceInfo\Tavo OPOS'
DEVICEKEY="HKEY_LOCAL_MACHINE\\Software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\$DEVICE"

skip() { echo "e2e skipped: $*"; exit 77; }
[ -x "$NATIVEBIN/tavo-vprinter" ] || skip "no virtual printer at $NATIVEBIN/tavo-vprinter (build the native preset first)"
for f in ptrservice.dll portmgr.dll test_e2e.exe; do
  [ -f "$WINBIN/$f" ] || skip "no $WINBIN/$f"
done
"$NATIVEBIN/tavo-vprinter" --help | grep -q -- --control-tcp || skip "the virtual printer has no --control-tcp"

# Wine maps drive Z: to the Unix root.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
# A .reg file escapes backslashes in its strings.
regtext() { winpath "$1" | sed 's/\\/\\\\/g'; }

rm -rf "$WORK"
OUT=$WORK/out
mkdir -p "$OUT"
# The build's Wine environment (prefix, width, loader, server).
TAVO_WINE_ENV_ONLY=1
. "$WINE"
# The first Wine program of a session starts the server and Wine's own
# background programs, which inherit its output: started here with output
# elsewhere, they cannot hold the test's output pipe (and ctest) open.
"$TAVO_WINESERVER" -p 20 >/dev/null 2>&1 </dev/null || true
"$WINE" cmd /c exit 0 >/dev/null 2>&1 </dev/null || true

VP=
cleanup() {
  set +e
  if [ -n "$VP" ]; then
    kill "$VP" 2>/dev/null
    wait "$VP" 2>/dev/null
  fi
  printf 'REGEDIT4\r\n\r\n[-%s]\r\n\r\n[-%s]\r\n' "$SERVICEINFO" "$DEVICEKEY" >"$WORK/remove.reg"
  "$WINE" regedit /s "$(winpath "$WORK/remove.reg")" >/dev/null 2>&1
  [ -z "${CCO:-}" ] || "$WINE" regsvr32 /u /s "$(winpath "$CCO")" >/dev/null 2>&1
  if [ -s "$WORK/saved.reg" ]; then
    "$WINE" regedit /s "$(winpath "$WORK/saved.reg")" >/dev/null 2>&1
  fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM

DISPLAY_OPTIONS=
"$NATIVEBIN/tavo-vprinter" --help | grep -q -- --display-tcp && DISPLAY_OPTIONS="--display-tcp 0 --display-model QDX-200"
"$NATIVEBIN/tavo-vprinter" --tcp 0 --control-tcp 0 $DISPLAY_OPTIONS --no-stdin --out "$OUT" \
  >"$WORK/vprinter.out" 2>"$WORK/vprinter.err" </dev/null &
VP=$!
PORT= CONTROL=
for _ in $(seq 100); do
  PORT=$(sed -n 's/^listening tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$WORK/vprinter.out" 2>/dev/null || true)
  CONTROL=$(sed -n 's/^control tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$WORK/vprinter.out")
  [ -n "$PORT" ] && [ -n "$CONTROL" ] && break
  kill -0 "$VP" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$PORT" ] || [ -z "$CONTROL" ]; then
  echo "the virtual printer did not start:" >&2
  cat "$WORK/vprinter.out" "$WORK/vprinter.err" >&2
  exit 1
fi
echo "virtual printer: data 127.0.0.1:$PORT, control 127.0.0.1:$CONTROL, output $OUT"
# Its customer display, when it has one (the display tests skip without).
for _ in $(seq 50); do
  [ -z "$DISPLAY_OPTIONS" ] && break
  DISPLAYPORT=$(sed -n 's/^display tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$WORK/vprinter.out")
  [ -n "$DISPLAYPORT" ] && break
  sleep 0.1
done
export TAVO_E2E_DISPLAY_PORT=${DISPLAYPORT:-}

# Keep what the prefix held before, so the other Windows tests see it again.
"$WINE" regedit /e "$(winpath "$WORK/saved.reg")" "$SERVICEINFO" >/dev/null 2>&1 || rm -f "$WORK/saved.reg"

{
  printf 'REGEDIT4\r\n\r\n[%s]\r\n' "$SERVICEINFO"
  printf '"Installdir"="%s"\r\n"mngdir"="%s"\r\n' "$(regtext "$WINBIN")" "$(regtext "$WINBIN/portmgr.dll")"
  printf '"TraceLevel"=dword:00000002\r\n"TraceFile"="%s"\r\n\r\n' "$(regtext "$WORK/trace.log")"
  printf '[%s]\r\n@="Tavo.POSPrinter.ServiceObject.1.9"\r\n' "$DEVICEKEY"
  printf '"Description"="Tavo receipt printer service object"\r\n'
  printf '"DeviceName"="E2E-80"\r\n"DeviceDesc"="End-to-end receipt printer"\r\n"Version"="1.9.3"\r\n'
  printf '"DeviceClass"="POSPrinter"\r\n"Port"="Ethernet"\r\n"TcpIp"="127.0.0.1"\r\n"TcpPort"=dword:%08x\r\n' "$PORT"
  printf '"InputBuf"="8192"\r\n"OutputBuf"="8192"\r\n"Timeout"="1000"\r\n'
  printf '"type"=dword:00000001\r\n"Porttype"=dword:00000004\r\n"inf"="%s"\r\n' "$(regtext "$PROFILE")"
} >"$WORK/e2e.reg"
"$WINE" regedit /s "$(winpath "$WORK/e2e.reg")"
"$WINE" regsvr32 /s "$(winpath "$WINBIN/ptrservice.dll")" || { echo "regsvr32 ptrservice.dll failed" >&2; exit 1; }
# The public line display Control Object of this width, for the till's road.
CCO="$(cd "$(dirname "$PROFILE")/../cco" && pwd)/$WINEARCH/OPOSLineDisplay.ocx"
"$WINE" regsvr32 /s "$(winpath "$CCO")" || { echo "regsvr32 $CCO failed" >&2; exit 1; }

export TAVO_E2E_DEVICE=$DEVICE TAVO_E2E_CONTROL_PORT=$CONTROL TAVO_E2E_OUT="$(winpath "$OUT")"
# The package's data files (the line display profiles).
export TAVO_E2E_DATA="$(winpath "$(cd "$(dirname "$PROFILE")/../.." && pwd)/data")"
set +e
"$WINE" "$WINBIN/test_e2e.exe" --gtest_brief=0 "$@"
rc=$?
set -e
# Symbols the tests printed, read back from the rendered receipts.
if [ -s "$OUT/zbar-expect.txt" ]; then
  tab=$(printf '\t')
  while IFS="$tab" read -r png data; do
    if zbarimg --raw -q "$png" 2>/dev/null | grep -qxF "$data"; then
      echo "read back from $(basename "$png"): $data"
    else
      echo "NOT read back from $png: $data" >&2
      rc=1
    fi
  done <"$OUT/zbar-expect.txt"
fi
# Statistics documents the tests wrote, parsed as XML: each listed
# Name=Value is a Parameter's (DeviceCategory: the Equipment's attribute).
if [ -s "$OUT/xml-expect.txt" ]; then
  if ! python3 - "$OUT" <<'PY'
import sys, xml.dom.minidom as m
out, failed = sys.argv[1], False
text = lambda n: ''.join(c.data for c in n.childNodes if c.nodeType == c.TEXT_NODE)
for line in open(out + '/xml-expect.txt', encoding='latin-1').read().splitlines():
    name, *pairs = line.split('\t')
    try:
        doc = m.parse(out + '/' + name)
    except Exception as e:
        print('NOT well-formed: %s: %s' % (name, e)); failed = True; continue
    found = {text(p.getElementsByTagName('Name')[0]): text(p.getElementsByTagName('Value')[0])
             for p in doc.getElementsByTagName('Parameter')}
    found['DeviceCategory'] = doc.getElementsByTagName('DeviceCategory')[0].getAttribute('UPOS')
    for pair in pairs:
        k, v = pair.split('=', 1)
        if found.get(k) != v:
            print('%s: %s is %r, not %r' % (name, k, found.get(k), v)); failed = True
    if not failed: print('parsed %s: %s' % (name, ', '.join(pairs)))
sys.exit(1 if failed else 0)
PY
  then
    rc=1
  fi
fi
if [ $rc -ne 0 ]; then
  echo "--- virtual printer stderr"; cat "$WORK/vprinter.err"
fi
# The support trace log was switched on above.
if ! grep -q ': End OpenService = ' "$WORK/trace.log" 2>/dev/null; then
  echo "the trace log $WORK/trace.log has no OpenService line" >&2
  rc=1
fi
if grep -q ' object -: ' "$WORK/trace.log" 2>/dev/null; then
  echo "trace lines name no object: $(grep -m3 ' object -: ' "$WORK/trace.log")" >&2
  rc=1
fi
exit $rc
