// The device entry layout that devsetup writes and the Service Objects
// read: every key path and value name, spelt once. All keys lie under
// HKEY_LOCAL_MACHINE. Value names are case-insensitive, so where two
// spellings of one value are in use both are named here.
#pragma once

namespace schema {

// Package installation information (written by the installer).
inline constexpr char kServiceInfoKey[] = "Software\\OLEforRetail\\ServiceInfo\\Tavo OPOS";
inline constexpr char kInstalldir[] = "Installdir";  // folder of the setup data files, no trailing '\'
inline constexpr char kMngdir[] = "mngdir";          // where the port-manager library lies
// Support trace log (absent: off); see common/trace_log.h.
inline constexpr char kTraceLevel[] = "TraceLevel";      // DWORD 0 off, 1 results and errors, 2 every line
inline constexpr char kTraceFile[] = "TraceFile";        // path; default <Installdir>\tavo-trace.log
inline constexpr char kTraceMaxKB[] = "TraceMaxKB";      // DWORD size bound of the file in KiB

// Standard OPOS root and the three class keys below it.
inline constexpr char kServiceOposRoot[] = "Software\\OLEforRetail\\ServiceOPOS";
inline constexpr char kClassPOSPrinter[] = "POSPrinter";
inline constexpr char kClassLineDisplay[] = "LineDisplay";
inline constexpr char kClassCashDrawer[] = "CashDrawer";
inline constexpr char kPOSPrinterKey[] = "Software\\OLEforRetail\\ServiceOPOS\\POSPrinter";
inline constexpr char kLineDisplayKey[] = "Software\\OLEforRetail\\ServiceOPOS\\LineDisplay";
inline constexpr char kCashDrawerKey[] = "Software\\OLEforRetail\\ServiceOPOS\\CashDrawer";

// A subkey whose name begins with this ends every class-key scan.
inline constexpr char kScanStopPrefix = '[';
inline constexpr unsigned kScanNameBufferChars = 256;

// Values of every device key.
inline constexpr char kDefault[] = "";  // ProgID of the Service Object
inline constexpr char kDescription[] = "Description";
inline constexpr char kDeviceName[] = "DeviceName";
inline constexpr char kDeviceDesc[] = "DeviceDesc";
inline constexpr char kVersion[] = "Version";
inline constexpr char kDeviceClass[] = "DeviceClass";
inline constexpr char kLDN[] = "LDN";
inline constexpr char kComp[] = "comp";

// Values of a printer or line display key (REG_SZ unless noted).
inline constexpr char kPort[] = "Port";
inline constexpr char kBaudRate[] = "BaudRate";
inline constexpr char kBitLength[] = "BitLength";
inline constexpr char kParity[] = "Parity";
inline constexpr char kStop[] = "Stop";
inline constexpr char kHandShake[] = "HandShake";
inline constexpr char kInputBuf[] = "InputBuf";
inline constexpr char kOutputBuf[] = "OutputBuf";
inline constexpr char kInputSleep[] = "InputSleep";
inline constexpr char kOutInterval[] = "Out_Interval";
inline constexpr char kTimeout[] = "Timeout";
inline constexpr char kModel[] = "Model";              // REG_DWORD
inline constexpr char kType[] = "type";                // REG_DWORD, read as the printer's Type
inline constexpr char kPorttype[] = "Porttype";        // REG_DWORD, as the wizard writes it
inline constexpr char kPortTypeRead[] = "PortType";    // the same value, as the port dialog reads it
inline constexpr char kInf[] = "inf";                  // full path of the capability profile
inline constexpr char kVid[] = "Vid";
inline constexpr char kPid[] = "Pid";
inline constexpr char kUsbDeviceName[] = "UsbDeviceName";
inline constexpr char kUsbDeviceNameRead[] = "UsbdeviceName";  // the same value, as the port dialog reads it
inline constexpr char kUsbCount[] = "UsbCount";        // REG_DWORD
inline constexpr char kTcpIp[] = "TcpIp";
inline constexpr char kTcpPort[] = "TcpPort";          // REG_DWORD

// Values of a cash drawer key (all REG_SZ).
inline constexpr char kPOSPrinter[] = "POSPrinter";  // device key name of the printer it hangs on
inline constexpr char kOpenLevel[] = "OpenLevel";
inline constexpr char kConnectorPinNo[] = "ConnectorPinNo";
inline constexpr char kPulseOnTime[] = "PulseOnTime";
inline constexpr char kPulseOffTime[] = "PulseOffTime";

// Fixed contents.
inline constexpr char kCompValue[] = "Corvane";
inline constexpr char kCashDrawerDeviceName[] = "CashDrawer";

// What the add-device wizard writes into a new printer or line display.
namespace initial {
inline constexpr char kPort[] = "COM1";
inline constexpr char kBaudRate[] = "9600";
inline constexpr char kBitLength[] = "8";
inline constexpr char kHandShake[] = "CTS/RTS";
inline constexpr char kInputBuf[] = "8192";
inline constexpr char kOutputBuf[] = "8192";
inline constexpr char kInputSleep[] = "0";
inline constexpr char kOutInterval[] = "0";
inline constexpr char kParity[] = "0";
inline constexpr char kStop[] = "0";
inline constexpr char kTimeout[] = "1000";
inline constexpr char kTcpIp[] = "0.0.0.0";
inline constexpr int kTcpPort = 0;
inline constexpr int kUsbCount = 0;
}  // namespace initial

// What the cash drawer dialog proposes for a new drawer.
namespace drawer_default {
inline constexpr char kOpenLevel[] = "0";
inline constexpr char kConnectorPinNo[] = "1";
inline constexpr char kPulseOnTime[] = "400";
inline constexpr char kPulseOffTime[] = "100";
}  // namespace drawer_default

}  // namespace schema
