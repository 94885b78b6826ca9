#!/usr/bin/env bash
# The demo: a receipt printed through the real driver under Wine onto the
# virtual printer. Builds what is missing, starts the virtual printer on
# loopback, prepares a demo Wine prefix with the package installed and one
# printer entry on a network port with a cash drawer on it and a customer
# display on a TCP port of its own, runs the demo till application (the
# receipt with the sale on the display meanwhile, then a drawer kick that
# the virtual printer's drawer answers by opening and closing again by
# itself) and shows the events it received, where the rendered receipt is
# and what the customer display shows.
# The 32-bit package is used where the host can run 32-bit Wine, the 64-bit
# one otherwise; DEMO_ARCH=win32|win64 picks one.
# The virtual printer's page is up on loopback while it runs; with --watch
# the printer and its page stay up after the receipt until Ctrl-C.
#   DEMO_MODEL=<model in data/posprn.inf> DEMO_DEVICE=<device name> scripts/demo.sh [--watch] [receipt text file]
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
. scripts/wine-env.sh
MODEL=${DEMO_MODEL:-TavoPOS-R200}
DEVICE=${DEMO_DEVICE:-DemoPrinter}
RECEIPT=
WATCH=0
for arg in "$@"; do
  case $arg in
    --watch) WATCH=1 ;;
    *) RECEIPT=$arg ;;
  esac
done

[ -f "data/$MODEL.inf" ] || { echo "no capability profile data/$MODEL.inf for model $MODEL" >&2; exit 2; }
if [ -n "$RECEIPT" ]; then
  [ -f "$RECEIPT" ] || { echo "no receipt file $RECEIPT" >&2; exit 2; }
  RECEIPT=$(cd "$(dirname "$RECEIPT")" && pwd)/$(basename "$RECEIPT")
fi

ARCH=${DEMO_ARCH:-}
if [ -z "$ARCH" ]; then
  if tavo_can_run_win32; then
    ARCH=win32
    echo "== printing through the 32-bit package"
  else
    ARCH=win64
    echo "== printing through the 64-bit package; the 32-bit one cannot run here: $TAVO_32BIT_REASON"
  fi
elif [ "$ARCH" = win32 ] && ! tavo_can_run_win32; then
  echo "the 32-bit package cannot be shown here: $TAVO_32BIT_REASON" >&2
  exit 2
elif [ "$ARCH" != win32 ] && [ "$ARCH" != win64 ]; then
  echo "DEMO_ARCH must be win32 or win64, not $ARCH" >&2
  exit 2
fi

echo "== building the Windows package ($ARCH) and the virtual printer"
cmake --preset "$ARCH" >/dev/null
cmake --build --preset "$ARCH" --target ptrservice portmgr demo-app devsetup >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native --target tavo-vprinter >/dev/null

DEMO=$ROOT/build/demo
OUT=$DEMO/receipts
rm -rf "$OUT"
mkdir -p "$OUT"
# One prefix a width; no X display needed: the driver's windows are hidden.
tavo_wine_env "$ARCH" "$DEMO/wineprefix-$ARCH"
if [ ! -f "$WINEPREFIX/.tavo-ready" ]; then
  echo "== creating the demo Wine prefix (once, takes a little while)"
  sh scripts/make-wineprefix.sh "$ARCH" "$WINEPREFIX" null
fi
winrun() { "$TAVO_WINE" "$@"; }

SOCK=$DEMO/vprinter.sock
rm -f "$SOCK"
"$ROOT/build/native/bin/tavo-vprinter" --tcp 0 --http 0 --out "$OUT" --control "$SOCK" --no-stdin \
  --display-tcp 0 --display-model QDX-200 \
  >"$DEMO/vprinter.out" 2>"$DEMO/vprinter.err" </dev/null &
VP=$!
trap 'kill $VP 2>/dev/null || true; "$TAVO_WINESERVER" -k 2>/dev/null || true' EXIT
PORT=
for _ in $(seq 100); do
  PORT=$(sed -n 's/^listening tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$DEMO/vprinter.out" 2>/dev/null || true)
  [ -n "$PORT" ] && break
  kill -0 $VP 2>/dev/null || break
  sleep 0.1
done
[ -n "$PORT" ] || { echo "the virtual printer did not start:" >&2; cat "$DEMO/vprinter.err" >&2; exit 1; }
echo "== virtual printer listening on 127.0.0.1:$PORT"
DISPLAY_PORT=$(sed -n 's/^display tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$DEMO/vprinter.out")
[ -n "$DISPLAY_PORT" ] || { echo "the virtual customer display did not start" >&2; exit 1; }
echo "== virtual customer display (QDX-200) on 127.0.0.1:$DISPLAY_PORT"
HTTP=$(sed -n 's/^http 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$DEMO/vprinter.out")
echo "== the printer's page (paper, receipts, state and buttons): http://127.0.0.1:$HTTP/"

echo "== installing the package into $WINEPREFIX (C:\\Tavo)"
INSTALL=$WINEPREFIX/drive_c/Tavo
mkdir -p "$INSTALL/Utility"
cp build/$ARCH/bin/ptrservice.dll build/$ARCH/bin/portmgr.dll build/$ARCH/bin/demo-app.exe build/$ARCH/bin/devsetup.exe data/* "$INSTALL/"
winrun regsvr32 /s 'C:\Tavo\ptrservice.dll' || { echo "registering ptrservice.dll failed" >&2; exit 1; }
scripts/demo-registry.sh "$MODEL" "$DEVICE" "$PORT" "$DISPLAY_PORT" >"$DEMO/demo.reg"
winrun regedit /s "$(winrun winepath -w "$DEMO/demo.reg" 2>/dev/null)"

echo "== running the demo till application"
args=("$DEVICE" --drawer "${DEVICE}Drawer" --display "${DEVICE}Display")
[ -n "$RECEIPT" ] && args+=("$(winrun winepath -w "$RECEIPT" 2>/dev/null)")
set +e
winrun 'C:\Tavo\demo-app.exe' "${args[@]}" | tee "$DEMO/demo-app.out"
rc=${PIPESTATUS[0]}
set -e
sleep 0.5
# The international lines must come back from the paper as they were sent.
paper=$(python3 scripts/vprinter-ctl.py "$SOCK" text || true)
while IFS= read -r line; do
  case "$paper" in
    *"$line"*) echo "== printed as sent: $line" ;;
    *) echo "== printed WRONG: $line (the paper shows $paper)"; rc=1 ;;
  esac
done < <(sed -n 's/^international: //p' "$DEMO/demo-app.out" | tr -d '\r')
# Lines no font of the printer holds arrive as bit images in the line.
while IFS= read -r line; do
  if grep -q '"bit-image"' "$OUT/commands.jsonl" 2>/dev/null; then
    echo "== drawn as a picture: $line"
  else
    echo "== printed WRONG: $line (no bit image in $OUT/commands.jsonl)"; rc=1
  fi
done < <(sed -n 's/^international drawn: //p' "$DEMO/demo-app.out" | tr -d '\r')
# What the shopper sees at the end: the display's rows as the virtual
# display decoded them.
screen=$(python3 scripts/vprinter-ctl.py "$SOCK" display || true)
if [ -n "$RECEIPT" ]; then
  python3 scripts/show-display.py "$screen" || true
else
  python3 scripts/show-display.py "$screen" TOTAL 18.80 || rc=1
fi
saved=$(python3 scripts/vprinter-ctl.py "$SOCK" save || true)
echo "== virtual printer: $saved"
found=0
for png in "$OUT"/*.png; do
  [ -f "$png" ] || continue
  echo "receipt image: $png"
  if command -v zbarimg >/dev/null; then
    zbarimg -q "$png" 2>/dev/null | sed 's/^/  symbol read back: /' || echo "  no bar code read back"
  fi
  found=1
done
[ $found = 1 ] || echo "no receipt image was written"
[ $rc = 0 ] && echo "== demo finished" || echo "== demo failed (exit $rc)"
if [ $WATCH = 1 ] && kill -0 $VP 2>/dev/null; then
  echo "== the virtual printer and its page stay up: http://127.0.0.1:$HTTP/ (printer on 127.0.0.1:$PORT); Ctrl-C ends"
  trap 'echo' INT
  wait $VP || true
fi
exit $rc
