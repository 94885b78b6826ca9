#!/bin/sh
# The package's life in a fresh Wine prefix, silently: an older package,
# the current one over it (upgrade), files, ServiceInfo values and COM rows
# equal to what DllRegisterServer writes, a receipt printed through the
# installed package, then uninstall leaving nothing of the package but the
# device entry a technician made.
#   run-install.sh <x64|x86> <bin> <win32 bin> <native bin> <work dir>
# Exit 77 (skipped) when a piece is missing or this width's Wine cannot run.
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
RUN=installer
. "$HERE/installer-args.sh"
PROGID=Tavo.POSPrinter.ServiceObject.1.9
# Every class the module may serve (ProgID CLSID): a served class missing
# from the package's rows shows up as a difference.
CLASSES='Tavo.POSPrinter.ServiceObject.1.9 {A15AA58F-FA00-4ED7-ABEB-2D823DEEAE22}
Tavo.CashDrawer.ServiceObject1.9 {62A6B3AF-642F-4079-B263-879204D27AEE}
Tavo.LineDisplay.ServiceObject.1.9 {A6C4BD93-90B5-486E-884F-2185BFE8C845}'
DEVICEKEY='HKEY_LOCAL_MACHINE\Software\OLEforRetail\ServiceOPOS\POSPrinter\InstalledPrinter'

rm -rf "$WORK"
mkdir -p "$WORK/out"
OLDER=$(echo "$VERSION" | awk -F. '{printf "%d.%d.%d.%d", $1, $2, ($3 > 0 ? $3 - 1 : 0), 1}')
sh "$ROOT/installer/build-msi.sh" "$ARCH" "$OLDER" "$WORK/older.msi" "$BIN" $BIN32 >/dev/null
sh "$ROOT/installer/build-msi.sh" "$ARCH" "$VERSION" "$WORK/current.msi" "$BIN" $BIN32 >/dev/null
# Not the null graphics driver: devsetup must open its window (ctest runs
# the Windows suites on a virtual X display).
. "$HERE/fresh-prefix.sh"

echo "--- install $OLDER, then $VERSION over it"
w msiexec /i "$(winpath "$WORK/older.msi")" /qn || fail "msiexec /i of the older package"
w msiexec /i "$(winpath "$WORK/current.msi")" /qn /l*v "$(winpath "$WORK/current.log")" ||
  fail "msiexec /i of the current package"
w reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' >"$WORK/uninstall.txt" || true
products=$(grep -c 'DisplayName.*REG_SZ.*Tavo OPOS$' "$WORK/uninstall.txt" || true)
[ "$products" = 1 ] || fail "$products installed products named Tavo OPOS after the upgrade (expected 1)"
grep -q "DisplayVersion.*$VERSION" "$WORK/uninstall.txt" || fail "the installed product is not version $VERSION"

echo "--- files and ServiceInfo"
for f in ptrservice.dll portmgr.dll devsetup.exe setup.inf posprn.inf posdisp.inf poscash.inf TavoPOS-R200.inf QDX-200.inf QDX-420.inf; do
  [ -f "$C/$FILES/Tavo OPOS/$f" ] || fail "$FILES/Tavo OPOS/$f was not installed"
done
[ -d "$C/$FILES/Tavo OPOS/Utility" ] || fail "no Utility folder"
[ -d "$C/ProgramData/Tavo OPOS" ] || fail "no trace log folder in the common application data"
tr -d '\000' <"$WORK/current.log" | grep -q 'trace folder: users may modify C:\\ProgramData\\Tavo OPOS' ||
  fail "the trace log folder was not opened to users: $(tr -d '\000' <"$WORK/current.log" | grep 'trace folder' || true)"
if [ -n "$FILES32" ]; then
  for f in ptrservice.dll portmgr.dll devsetup.exe; do
    [ -f "$C/$FILES32/Tavo OPOS/$f" ] || fail "$FILES32/Tavo OPOS/$f was not installed"
  done
fi
w reg query "$SERVICEINFO" | tr -d '\r' >"$WORK/serviceinfo.txt"
grep -q 'Installdir.*C:\\Program Files\\Tavo OPOS$' "$WORK/serviceinfo.txt" || fail "Installdir: $(cat "$WORK/serviceinfo.txt")"
grep -q 'mngdir.*C:\\Program Files\\Tavo OPOS\\portmgr.dll$' "$WORK/serviceinfo.txt" || fail "mngdir: $(cat "$WORK/serviceinfo.txt")"
if [ -n "$FILES32" ]; then
  w reg query "$SERVICEINFO" /reg:32 | tr -d '\r' >"$WORK/serviceinfo32.txt"
  grep -q 'mngdir.*Program Files (x86)\\Tavo OPOS\\portmgr.dll$' "$WORK/serviceinfo32.txt" ||
    fail "32-bit view mngdir: $(cat "$WORK/serviceinfo32.txt")"
fi

echo "--- devsetup from the Start-menu shortcut"
# The all-users Start menu on Windows; Wine's installer puts a per-machine
# package's shortcuts into the user's menu.
MENU=
for menu in "ProgramData/Microsoft/Windows/Start Menu/Programs" \
            "users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"; do
  if [ -f "$C/$menu/Tavo OPOS/Device Setup.lnk" ]; then MENU="C:/$menu/Tavo OPOS"; break; fi
done
[ -n "$MENU" ] || fail "no Start-menu shortcut"
MENU=$(printf '%s' "$MENU" | tr / '\\\\')
w start "$MENU\\Device Setup.lnk" >/dev/null 2>&1 || fail "the shortcut could not be started"
# Wine's tasklist lists nothing; taskkill finds the process by name.
started=no
for _ in $(seq 60); do
  if w taskkill /f /im devsetup.exe >/dev/null 2>&1; then started=yes; break; fi
  sleep 0.5
done
[ $started = yes ] || fail "devsetup.exe did not start from the shortcut"

echo "--- COM rows against DllRegisterServer"
# Keys and values only ("reg:" lines are its complaints about missing keys).
rows() {
  echo "$CLASSES" | while read -r progid clsid; do
    w reg query "HKCR\\$progid" /s
    w reg query "HKCR\\CLSID\\$clsid" /s
  done 2>/dev/null | tr -d '\r' | grep -v '^reg:' | grep -v '^ *$' | sort || true
}
rows >"$WORK/rows-package.txt"
grep -q 'InprocServer32' "$WORK/rows-package.txt" || fail "the package wrote no COM rows"
server="C:\\$FILES\\Tavo OPOS\\ptrservice.dll"
w regsvr32 /u /s "$server" || fail "regsvr32 /u"
rows >"$WORK/rows-none.txt"
[ -s "$WORK/rows-none.txt" ] && fail "rows left after DllUnregisterServer: $(cat "$WORK/rows-none.txt")"
w regsvr32 /s "$server" || fail "regsvr32"
rows >"$WORK/rows-self.txt"
diff "$WORK/rows-package.txt" "$WORK/rows-self.txt" || fail "the package's COM rows differ from DllRegisterServer's"

echo "--- a receipt through the installed package"
start_vprinter
{
  printf 'REGEDIT4\r\n\r\n[%s]\r\n@="%s"\r\n"DeviceName"="TavoPOS-R200"\r\n' "$DEVICEKEY" "$PROGID"
  printf '"Version"="1.9.3"\r\n"DeviceClass"="POSPrinter"\r\n"Port"="Ethernet"\r\n"TcpIp"="127.0.0.1"\r\n'
  printf '"TcpPort"=dword:%08x\r\n"Timeout"="1000"\r\n"type"=dword:00000001\r\n"Porttype"=dword:00000004\r\n' "$PORT"
  printf '"inf"="C:\\\\Program Files\\\\Tavo OPOS\\\\TavoPOS-R200.inf"\r\n'
} >"$WORK/device.reg"
w regedit /s "$(winpath "$WORK/device.reg")"
printf 'Printed through the installed package\n' >"$WORK/receipt.txt"
w "$(winpath "$BIN/demo-app.exe")" InstalledPrinter "$(winpath "$WORK/receipt.txt")" >"$WORK/demo.out" 2>&1 ||
  fail "the demo till program could not print: $(cat "$WORK/demo.out")"
grep -q 'Printed through the installed package' "$WORK/out/commands.jsonl" || fail "the receipt never reached the printer"

echo "--- uninstall"
w msiexec /x "$(winpath "$WORK/current.msi")" /qn || fail "msiexec /x"
left=$(find "$C/$FILES/Tavo OPOS" ${FILES32:+"$C/$FILES32/Tavo OPOS"} -type f 2>/dev/null || true)
[ -z "$left" ] || fail "files left after uninstall: $left"
links=$(find "$C" -path '*Start Menu*' -name 'Device Setup*.lnk' 2>/dev/null || true)
[ -z "$links" ] || fail "shortcuts left after uninstall: $links"
rows >"$WORK/rows-after.txt"
[ -s "$WORK/rows-after.txt" ] && fail "COM rows left after uninstall"
for view in "" /reg:32; do
  if w reg query "$SERVICEINFO" $view 2>/dev/null | grep -qi 'Installdir\|mngdir'; then
    fail "ServiceInfo values left after uninstall ($view)"
  fi
done
w reg query 'HKLM\Software\OLEforRetail\ServiceOPOS\POSPrinter\InstalledPrinter' >/dev/null 2>&1 ||
  fail "uninstall removed the technician's device entry"
echo "installer run passed ($ARCH $VERSION over $OLDER)"
