#!/bin/sh
# Silent installation with a device set-up file into a fresh Wine prefix: a
# refused file (DEVICECONFIG) fails the installation with the import's lines
# in the installer log and leaves nothing installed; a good one, with the
# printer's TCP port given by DEVICESET, yields devices in both registry
# views that print a receipt and kick the drawer through their ProgIDs.
#   run-device-config.sh <x64|x86> <bin> <win32 bin> <native bin> <work dir>
# Exit 77 (skipped) when a piece is missing or this width's Wine cannot run.
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
RUN="device-config installer"
. "$HERE/installer-args.sh"
DEVICES='HKLM\Software\OLEforRetail\ServiceOPOS'
[ -f "$BIN/demo-app.exe" ] || skip "no demo-app.exe at $BIN"

rm -rf "$WORK"
mkdir -p "$WORK/out"
sh "$ROOT/installer/build-msi.sh" "$ARCH" "$VERSION" "$WORK/package.msi" "$BIN" $BIN32 >/dev/null
. "$HERE/fresh-prefix.sh"

cat >"$WORK/till.ini" <<'EOF'
; One till's printer on the network and its drawer; the TCP port comes
; from DEVICESET.
[DeviceSetup]
Format=1
[POSPrinter\TavoPOS-R200]
DeviceName=sz:TavoPOS-R200
Port=sz:Ethernet
TcpIp=sz:127.0.0.1
LDN=sz:Receipt
[CashDrawer\CashDrawer]
POSPrinter=sz:TavoPOS-R200
LDN=sz:Drawer
[End]
EOF
sed 's/^Port=sz:Ethernet/Port=sz:COM9/' "$WORK/till.ini" >"$WORK/refused.ini"

echo "--- a refused set-up file fails the installation and leaves nothing"
rc=0
w msiexec /i "$(winpath "$WORK/package.msi")" /qn DEVICECONFIG="$(winpath "$WORK/refused.ini")" \
  /l*v "$(winpath "$WORK/refused.log")" || rc=$?
[ $rc != 0 ] || fail "the installation with a refused set-up file succeeded"
# The log is ANSI or UTF-16 text.
tr -d '\000' <"$WORK/refused.log" >"$WORK/refused.txt"
grep -q 'devsetup import: .*\[POSPrinter\\TavoPOS-R200\] Port: "COM9" is not a serial port' "$WORK/refused.txt" ||
  fail "the installer log lacks the import's problem line"
left=$(find "$C/$FILES/Tavo OPOS" "$C/Program Files (x86)/Tavo OPOS" -type f 2>/dev/null || true)
[ -z "$left" ] || fail "files left after the failed installation: $left"
for view in $VIEWS; do
  w reg query "$SERVICEINFO" /reg:$view >/dev/null 2>&1 && fail "ServiceInfo left in the $view-bit view"
  w reg query "$DEVICES" /s /reg:$view 2>/dev/null | grep -q TavoPOS && fail "devices written in the $view-bit view"
done

echo "--- a good one yields working devices"
start_vprinter
w msiexec /i "$(winpath "$WORK/package.msi")" /qn DEVICECONFIG="$(winpath "$WORK/till.ini")" \
  "DEVICESET=POSPrinter\\TavoPOS-R200:TcpPort=$PORT" /l*v "$(winpath "$WORK/good.log")" ||
  fail "msiexec /i with DEVICECONFIG: $(tr -d '\000' <"$WORK/good.log" | grep 'devsetup import' || true)"
for view in $VIEWS; do
  w reg query "$DEVICES\\POSPrinter\\TavoPOS-R200" /reg:$view | tr -d '\r' >"$WORK/printer$view.txt" ||
    fail "no printer in the $view-bit view"
  grep -q "TcpPort.*REG_DWORD.*0x$(printf '%x' "$PORT")" "$WORK/printer$view.txt" ||
    fail "DEVICESET did not set TcpPort in the $view-bit view: $(cat "$WORK/printer$view.txt")"
  grep -q 'inf.*C:\\Program Files\\Tavo OPOS\\TavoPOS-R200.inf' "$WORK/printer$view.txt" ||
    fail "the printer's capability file is not the installed one"
  w reg query "$DEVICES\\CashDrawer" /v Drawer /reg:$view | grep -q 'CashDrawer' || fail "no drawer LDN in the $view-bit view"
done
printf 'Printed through a device from DEVICECONFIG\n' >"$WORK/receipt.txt"
w "$(winpath "$BIN/demo-app.exe")" TavoPOS-R200 "$(winpath "$WORK/receipt.txt")" --drawer CashDrawer >"$WORK/demo.out" 2>&1 ||
  fail "the demo till program failed: $(cat "$WORK/demo.out")"
grep -q 'Printed through a device from DEVICECONFIG' "$WORK/out/commands.jsonl" || fail "the receipt never reached the printer"
grep -q '"cmd":"drawer-kick"' "$WORK/out/commands.jsonl" || fail "the drawer's kick never reached the printer"

echo "--- uninstall leaves the devices"
w msiexec /x "$(winpath "$WORK/package.msi")" /qn || fail "msiexec /x"
w reg query "$DEVICES\\POSPrinter\\TavoPOS-R200" >/dev/null 2>&1 || fail "uninstall removed the imported device"
echo "device-config installer run passed ($ARCH)"
