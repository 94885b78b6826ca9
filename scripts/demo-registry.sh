#!/usr/bin/env bash
# Writes the demo's registry entries as a .reg file on stdout: the package's
# ServiceInfo values and a printer entry on a network port, as the setup
# program's add-device wizard and port settings dialog would write them,
# a cash drawer "<device key name>Drawer" hung on that printer and, with a
# display port, a QDX-200 line display "<device key name>Display" on the
# same address and a TCP port of its own.
#   demo-registry.sh <model> <device key name> <tcp port> [<display tcp port>]
set -euo pipefail
model=$1 device=$2 port=$3 display_port=${4:-}
printf 'REGEDIT4\r\n\r\n'
printf '[HKEY_LOCAL_MACHINE\\Software\\OLEforRetail\\ServiceInfo\\Tavo OPOS]\r\n'
printf '"Installdir"="C:\\\\Tavo"\r\n"mngdir"="C:\\\\Tavo\\\\portmgr.dll"\r\n\r\n'
printf '[HKEY_LOCAL_MACHINE\\Software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\%s]\r\n' "$device"
printf '@="Tavo.POSPrinter.ServiceObject.1.9"\r\n'
printf '"Description"="Tavo receipt printer service object"\r\n'
printf '"DeviceName"="%s"\r\n"DeviceDesc"="%s receipt printer"\r\n' "$model" "$model"
printf '"Version"="1.9.3"\r\n"DeviceClass"="POSPrinter"\r\n"LDN"=""\r\n'
printf '"Port"="Ethernet"\r\n"TcpIp"="127.0.0.1"\r\n"TcpPort"=dword:%08x\r\n' "$port"
printf '"BaudRate"="9600"\r\n"BitLength"="8"\r\n"Parity"="0"\r\n"Stop"="0"\r\n"HandShake"="CTS/RTS"\r\n'
printf '"InputBuf"="8192"\r\n"OutputBuf"="8192"\r\n"InputSleep"="0"\r\n"Out_Interval"="0"\r\n"Timeout"="1000"\r\n'
printf '"Model"=dword:00000001\r\n"type"=dword:00000001\r\n"Porttype"=dword:00000004\r\n'
printf '"inf"="C:\\\\Tavo\\\\%s.inf"\r\n"comp"="Corvane"\r\n' "$model"
printf '"Vid"=""\r\n"Pid"=""\r\n"UsbDeviceName"=""\r\n"UsbCount"=dword:00000000\r\n'
printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\OLEforRetail\\ServiceOPOS\\CashDrawer\\%sDrawer]\r\n' "$device"
printf '@="Tavo.CashDrawer.ServiceObject1.9"\r\n"Description"="Tavo cash drawer service object"\r\n'
printf '"DeviceName"="CashDrawer"\r\n"DeviceDesc"="Cash drawer on %s"\r\n"Version"="1.9.1"\r\n' "$device"
printf '"DeviceClass"="CashDrawer"\r\n"POSPrinter"="%s"\r\n' "$device"
printf '"ConnectorPinNo"="1"\r\n"PulseOnTime"="400"\r\n"PulseOffTime"="100"\r\n"OpenLevel"="0"\r\n'
[ -n "$display_port" ] || exit 0
printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\OLEforRetail\\ServiceOPOS\\LineDisplay\\%sDisplay]\r\n' "$device"
printf '@="Tavo.LineDisplay.ServiceObject.1.9"\r\n"Description"="Tavo OPOS LineDisplay Service Object"\r\n'
printf '"DeviceName"="QDX-200"\r\n"DeviceDesc"="QDX-200 Customer Display"\r\n"Version"="1.9.3"\r\n'
printf '"DeviceClass"="LineDisplay"\r\n"LDN"=""\r\n'
printf '"Port"="Ethernet"\r\n"TcpIp"="127.0.0.1"\r\n"TcpPort"=dword:%08x\r\n' "$display_port"
printf '"BaudRate"="9600"\r\n"BitLength"="8"\r\n"Parity"="0"\r\n"Stop"="0"\r\n'
printf '"InputBuf"="1024"\r\n"OutputBuf"="10240"\r\n"InputSleep"="0"\r\n"Out_Interval"="0"\r\n"Timeout"="0"\r\n'
printf '"Model"=dword:00000001\r\n"type"=dword:00000001\r\n"Porttype"=dword:00000004\r\n'
printf '"inf"="C:\\\\Tavo\\\\QDX-200.inf"\r\n"comp"="Corvane"\r\n'
