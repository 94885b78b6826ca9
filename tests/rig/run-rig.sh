#!/bin/sh
# Runs the Windows rig program against the native virtual printer:
#   run-rig.sh <windows bin> <native bin> <wine-run.sh> <wine prefix> <work dir> [test args]
# The printer listens on loopback TCP (data and control) and on a
# pseudo-terminal, which a free COM port of the prefix is linked to for the
# run. Exit 77 (skipped) when a piece is not built.
set -eu
WINBIN=$1 NATIVEBIN=$2 WINE=$3 PREFIX=$4 WORK=$5
shift 5

skip() { echo "rig skipped: $*"; exit 77; }
[ -x "$NATIVEBIN/tavo-vprinter" ] || skip "no virtual printer at $NATIVEBIN/tavo-vprinter (build the native preset first)"
for f in portmgr.dll test_rig.exe; do
  [ -f "$WINBIN/$f" ] || skip "no $WINBIN/$f"
done

# Wine maps drive Z: to the Unix root.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

rm -rf "$WORK"
OUT=$WORK/out
mkdir -p "$OUT"
# The build's Wine environment (prefix, width, loader, server).
TAVO_WINE_ENV_ONLY=1
. "$WINE"
# The first Wine program of a session starts the server and Wine's own
# background programs, which inherit its output: started here with output
# elsewhere, they cannot hold the test's output pipe (and ctest) open.
"$TAVO_WINESERVER" -p 20 >/dev/null 2>&1 || true
"$WINE" cmd /c exit 0 >/dev/null 2>&1 </dev/null || true

VP= LINK=
cleanup() {
  set +e
  [ -n "$LINK" ] && rm -f "$LINK"
  if [ -n "$VP" ]; then
    kill "$VP" 2>/dev/null
    wait "$VP" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM

"$NATIVEBIN/tavo-vprinter" --tcp 0 --pty --control-tcp 0 --no-stdin --drawer-close-ms 0 --out "$OUT" \
  >"$WORK/vprinter.out" 2>"$WORK/vprinter.err" </dev/null &
VP=$!
PORT= CONTROL= PTY=
for _ in $(seq 100); do
  PORT=$(sed -n 's/^listening tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$WORK/vprinter.out" 2>/dev/null || true)
  PTY=$(sed -n 's/^listening pty \(.*\)$/\1/p' "$WORK/vprinter.out" 2>/dev/null || true)
  CONTROL=$(sed -n 's/^control tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$WORK/vprinter.out")
  [ -n "$PORT" ] && [ -n "$PTY" ] && [ -n "$CONTROL" ] && break
  kill -0 "$VP" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$PORT" ] || [ -z "$PTY" ] || [ -z "$CONTROL" ]; then
  echo "the virtual printer did not start:" >&2
  cat "$WORK/vprinter.out" "$WORK/vprinter.err" >&2
  exit 1
fi

# Wine opens COMn through the link dosdevices/comN; take one nobody uses.
mkdir -p "$PREFIX/dosdevices"
COM=
for n in $(seq 20 99); do
  if [ ! -e "$PREFIX/dosdevices/com$n" ] && [ ! -L "$PREFIX/dosdevices/com$n" ]; then
    COM=$n
    break
  fi
done
[ -n "$COM" ] || { echo "no free COM port in $PREFIX/dosdevices" >&2; exit 1; }
LINK=$PREFIX/dosdevices/com$COM
ln -s "$PTY" "$LINK"
echo "virtual printer: data 127.0.0.1:$PORT, control 127.0.0.1:$CONTROL, COM$COM -> $PTY, output $OUT"

export RIG_DATA_PORT=$PORT RIG_CONTROL_PORT=$CONTROL RIG_OUT="$(winpath "$OUT")" RIG_SERIAL="COM$COM"
set +e
"$WINE" "$WINBIN/test_rig.exe" --gtest_brief=0 "$@"
rc=$?
set -e
if [ $rc -ne 0 ]; then
  echo "--- virtual printer stderr"; cat "$WORK/vprinter.err"
fi
exit $rc
