#!/bin/sh
# devsetup.exe /export and /import under Wine, without a display: a set-up
# imported into both registry views, exported, the device keys removed as on
# a fresh installation, imported again, and the registry trees of both views
# and setup.inf compared; damaged files refused with exit code 2 and the
# registry left as it was.
#   run-transfer.sh <windows bin> <wine-run.sh> <data dir> <work dir>
# Exit 77 (skipped) when devsetup.exe is missing. ServiceInfo is put back
# as it was and the device keys are removed afterwards.
set -eu
WINBIN=$1 WINE=$2 DATA=$3 WORK=$4
SERVICEINFO='HKLM\Software\OLEforRetail\ServiceInfo\Tavo OPOS'
DEVICES='HKLM\Software\OLEforRetail\ServiceOPOS'

[ -f "$WINBIN/devsetup.exe" ] || { echo "transfer test skipped: no $WINBIN/devsetup.exe"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

rm -rf "$WORK"
mkdir -p "$WORK/install"
cp "$DATA"/*.inf "$WORK/install/"
TAVO_WINE_ENV_ONLY=1
. "$WINE"
unset DISPLAY
w() { "$TAVO_WINE" "$@"; }
devsetup() { timeout 120 "$TAVO_WINE" "$(winpath "$WINBIN/devsetup.exe")" "$@"; }

for view in 64 32; do
  w reg export "$SERVICEINFO" "$(winpath "$WORK/saved$view.reg")" /reg:$view /y >/dev/null 2>&1 ||
    rm -f "$WORK/saved$view.reg"
done
clear_devices() {
  for view in 64 32; do w reg delete "$DEVICES" /f /reg:$view >/dev/null 2>&1 || true; done
}
cleanup() {
  set +e
  clear_devices
  for view in 64 32; do
    w reg delete "$SERVICEINFO" /f /reg:$view >/dev/null 2>&1
    [ -f "$WORK/saved$view.reg" ] && w reg import "$(winpath "$WORK/saved$view.reg")" /reg:$view >/dev/null 2>&1
  done
}
trap cleanup EXIT
trap 'exit 1' INT TERM

clear_devices
for view in 64 32; do
  w reg add "$SERVICEINFO" /v Installdir /d "$(winpath "$WORK/install")" /f /reg:$view >/dev/null
done
tree() {
  for view in 64 32; do
    echo "== view $view"
    w reg query "$DEVICES" /s /reg:$view 2>/dev/null | tr -d '\r' || true
  done
}

echo "--- a set-up written through devsetup's rules"
cat >"$WORK/seed.ini" <<'EOF'
[DeviceSetup]
Format=1
[Ports]
COMRange=6
[POSPrinter\TavoPOS-R200]
DeviceName=sz:TavoPOS-R200
Port=sz:Ethernet
TcpIp=sz:127.0.0.1
TcpPort=dword:9100
LDN=sz:Receipt
[POSPrinter\TavoPOS-R300]
DeviceName=sz:TavoPOS-R300
Port=sz:COM5
BaudRate=sz:38400
[CashDrawer\CashDrawer]
POSPrinter=sz:TavoPOS-R200
LDN=sz:Drawer
PulseOnTime=sz:250
[End]
EOF
devsetup /import "$(winpath "$WORK/seed.ini")" >"$WORK/seed.out" 2>&1 || fail "seed import: $(cat "$WORK/seed.out")"
grep -q "into the 32-bit registry view" "$WORK/seed.out" || fail "devsetup did not import into the 32-bit view"
devsetup /export "$(winpath "$WORK/first.ini")" >"$WORK/export.out" 2>&1 || fail "export: $(cat "$WORK/export.out")"
head -3 "$WORK/first.ini" | grep -q '^\[DeviceSetup\]' || fail "the export does not begin with its header"
grep -q '^COMRange=6' "$WORK/first.ini" || fail "the export lacks the serial port count"
grep -q '^TcpPort=dword:9100' "$WORK/first.ini" || fail "the export lacks the printer's TCP port"
tree >"$WORK/tree-before.txt"
grep -q 'Receipt.*TavoPOS-R200' "$WORK/tree-before.txt" || fail "no LDN mapping after the seed import"

echo "--- into a till without devices, value for value"
clear_devices
sed -i 's/^COMRange=.*/COMRange=4/' "$WORK/install/setup.inf"
devsetup /import "$(winpath "$WORK/first.ini")" >"$WORK/import.out" 2>&1 || fail "import: $(cat "$WORK/import.out")"
tree >"$WORK/tree-after.txt"
diff "$WORK/tree-before.txt" "$WORK/tree-after.txt" || fail "the imported registry differs from the exported one"
grep -q '^COMRange=6' "$WORK/install/setup.inf" || fail "setup.inf did not get the serial port count back"
devsetup /export "$(winpath "$WORK/second.ini")" >/dev/null 2>&1 || fail "second export"
cmp "$WORK/first.ini" "$WORK/second.ini" || fail "a second export differs from the first"

echo "--- refused files leave the registry as it was"
refused() {
  name=$1
  shift
  rc=0
  devsetup "$@" >"$WORK/$name.out" 2>&1 || rc=$?
  [ $rc = 2 ] || fail "$name: exit code $rc, expected 2: $(cat "$WORK/$name.out")"
  grep -q "nothing was written" "$WORK/$name.out" || fail "$name: no refusal line"
  tree >"$WORK/tree-$name.txt"
  diff -q "$WORK/tree-before.txt" "$WORK/tree-$name.txt" >/dev/null || fail "$name changed the registry"
}
head -c 300 "$WORK/first.ini" >"$WORK/cut.ini"
refused truncated /import "$(winpath "$WORK/cut.ini")"
refused binary /import "$(winpath "$DATA/receipt-logo.png")"
grep -q "not UTF-8 text" "$WORK/binary.out" || fail "the picture was not refused as not text"
refused port-twice /import "$(winpath "$WORK/first.ini")" /set 'POSPrinter\TavoPOS-R200:Port=COM5'
refused ldn-twice /import "$(winpath "$WORK/first.ini")" /set 'POSPrinter\TavoPOS-R300:LDN=receipt'
sed 's/^\[Ports\]/[Serial]/' "$WORK/first.ini" >"$WORK/unknown.ini"
refused unknown-section /import "$(winpath "$WORK/unknown.ini")"
grep -q 'line [0-9]*: unknown section \[Serial\]' "$WORK/unknown-section.out" || fail "no line for the unknown section"

echo "--- /view 32 and /set"
clear_devices
devsetup /import "$(winpath "$WORK/first.ini")" /view 32 /set 'POSPrinter\TavoPOS-R200:TcpIp=10.0.0.7' \
  >"$WORK/view.out" 2>&1 || fail "import /view 32: $(cat "$WORK/view.out")"
# A 32-bit prefix has one view only, which /reg:64 names too.
if [ "$WINEARCH" = win64 ]; then
  w reg query "$DEVICES" /s /reg:64 >/dev/null 2>&1 && fail "/view 32 wrote the 64-bit view"
fi
w reg query "$DEVICES\\POSPrinter\\TavoPOS-R200" /v TcpIp /reg:32 | grep -q '10\.0\.0\.7' || fail "/set was not applied"
rc=0
devsetup /import >/dev/null 2>&1 || rc=$?
[ $rc = 1 ] || fail "a bad command line ended with $rc, expected 1"
echo "transfer run passed"
