#!/usr/bin/env bash
# The demo: a receipt printed through the real driver under Wine onto the
# virtual printer. Builds what is missing, starts the virtual printer on
# loopback, prepares a demo Wine prefix with the package installed and one
# printer entry on a network port, runs the demo till application and shows
# the events it received and where the rendered receipt is.
#   DEMO_MODEL=<model in data/posprn.inf> DEMO_DEVICE=<device name> scripts/demo.sh [receipt text file]
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
MODEL=${DEMO_MODEL:-TavoPOS-R200}
DEVICE=${DEMO_DEVICE:-DemoPrinter}
RECEIPT=${1:-}

[ -f "data/$MODEL.inf" ] || { echo "no capability profile data/$MODEL.inf for model $MODEL" >&2; exit 2; }
if [ -n "$RECEIPT" ]; then
  [ -f "$RECEIPT" ] || { echo "no receipt file $RECEIPT" >&2; exit 2; }
  RECEIPT=$(cd "$(dirname "$RECEIPT")" && pwd)/$(basename "$RECEIPT")
fi

echo "== building the Windows package and the virtual printer"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target ptrservice portmgr demo-app >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native --target tavo-vprinter >/dev/null

DEMO=$ROOT/build/demo
OUT=$DEMO/receipts
rm -rf "$OUT"
mkdir -p "$OUT"
export WINEPREFIX=$DEMO/wineprefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.tavo-ready" ]; then
  echo "== creating the demo Wine prefix (once, takes a little while)"
  sh scripts/make-wineprefix.sh "$WINEPREFIX"
  # No X display needed: the driver's windows are hidden ones.
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver -w
fi

SOCK=$DEMO/vprinter.sock
rm -f "$SOCK"
"$ROOT/build/native/bin/tavo-vprinter" --tcp 0 --out "$OUT" --control "$SOCK" --no-stdin \
  >"$DEMO/vprinter.out" 2>"$DEMO/vprinter.err" </dev/null &
VP=$!
trap 'kill $VP 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
PORT=
for _ in $(seq 100); do
  PORT=$(sed -n 's/^listening tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$DEMO/vprinter.out")
  [ -n "$PORT" ] && break
  kill -0 $VP 2>/dev/null || break
  sleep 0.1
done
[ -n "$PORT" ] || { echo "the virtual printer did not start:" >&2; cat "$DEMO/vprinter.err" >&2; exit 1; }
echo "== virtual printer listening on 127.0.0.1:$PORT"

echo "== installing the package into $WINEPREFIX (C:\\Tavo)"
INSTALL=$WINEPREFIX/drive_c/Tavo
mkdir -p "$INSTALL"
cp build/win32/bin/ptrservice.dll build/win32/bin/portmgr.dll build/win32/bin/demo-app.exe data/* "$INSTALL/"
wine regsvr32 /s 'C:\Tavo\ptrservice.dll' || { echo "registering ptrservice.dll failed" >&2; exit 1; }
scripts/demo-registry.sh "$MODEL" "$DEVICE" "$PORT" >"$DEMO/demo.reg"
wine regedit /s "$(winepath -w "$DEMO/demo.reg")"

echo "== running the demo till application"
args=("$DEVICE")
[ -n "$RECEIPT" ] && args+=("$(winepath -w "$RECEIPT")")
set +e
wine 'C:\Tavo\demo-app.exe' "${args[@]}"
rc=$?
set -e
sleep 0.5
saved=$(python3 scripts/vprinter-ctl.py "$SOCK" save || true)
echo "== virtual printer: $saved"
found=0
for png in "$OUT"/*.png; do
  [ -f "$png" ] || continue
  echo "receipt image: $png"
  found=1
done
[ $found = 1 ] || echo "no receipt image was written"
[ $rc = 0 ] && echo "== demo finished" || echo "== demo failed (exit $rc)"
exit $rc
