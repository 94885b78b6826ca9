# Sourced by the installer tests after their packages are built: a fresh
# Wine prefix of $WIDTH in $WORK/prefix with its environment set, w (runs a
# Windows program), winpath, C (its drive C:) and a clean-up on exit that
# stops the virtual printer in $VP, if any, and the prefix's server;
# start_vprinter starts one on a free TCP port (in $PORT), receipts in
# $WORK/out.
sh "$ROOT/scripts/make-wineprefix.sh" "$WIDTH" "$WORK/prefix"
tavo_wine_env "$WIDTH" "$WORK/prefix"
w() { "$TAVO_WINE" "$@"; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
C=$WORK/prefix/drive_c

VP=
cleanup() {
  [ -n "$VP" ] && kill "$VP" 2>/dev/null
  "$TAVO_WINESERVER" -k >/dev/null 2>&1 || true
}
trap cleanup EXIT

start_vprinter() {
  "$NATIVEBIN/tavo-vprinter" --tcp 0 --no-stdin --out "$WORK/out" >"$WORK/vprinter.out" 2>"$WORK/vprinter.err" </dev/null &
  VP=$!
  PORT=
  for _ in $(seq 100); do
    PORT=$(sed -n 's/^listening tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$WORK/vprinter.out" 2>/dev/null || true)
    [ -n "$PORT" ] && break
    sleep 0.1
  done
  [ -n "$PORT" ] || fail "the virtual printer did not start"
}
