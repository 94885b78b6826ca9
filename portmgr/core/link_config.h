// The line parameters of one port, checked and normalised from the caller's
// PortSettings. Pure data; built by SetDeviceOption, read by the transports.
#pragma once

#include <cstdint>
#include <string>

#include "portmgr/portmgr_api.h"

namespace portmgr {

enum class LinkKind { Null, Serial, Parallel, Device, Tcp };

struct LinkConfig {
  LinkKind kind = LinkKind::Null;
  std::string name;  // the port name as the caller gave it
  std::string path;  // what the OS opens: device path, or the IPv4 address
  int number = 0;    // n of "COMn" / "LPTn"
  int tcpPort = 0;
  int baudRate = 0;
  int dataBits = 8;
  int stopBits = 0;  // index: 0 one, 1 one and a half, 2 two
  int parity = 0;    // index: 0 none, 1 even, 2 odd
  int flow = 0;      // PORTMGR_FLOW_*
  int replyGapMs = 0;
  int writePerByteMs = 0;
  int writeConstantMs = 0;
  int inputBuffer = 0;
  int outputBuffer = 0;

  // A write of n bytes may take WritePerByteMs() * n + WriteConstantMs();
  // never unbounded.
  int64_t WritePerByteMs() const;
  int64_t WriteConstantMs() const;
  int ConnectLimitMs() const;
};

// "COMn" / "LPTn" with 1 <= n <= 256, any letter case; gives n, else 0.
int ParseNumberedPort(const std::string& name, const char* prefix);
// Strict dotted IPv4: four decimal parts 0..255, nothing else.
bool IsIPv4(const std::string& name);

// Fills *out from the settings; false when a value is out of range. The
// name comes from settings.portName, or fallbackName when that is null or
// empty. Copies the text: the caller's pointer is not kept.
bool ParseSettings(const PortSettings& settings, const std::string& fallbackName, LinkConfig* out);

// The path the OS opens for a numbered port on this platform.
std::string SerialPath(int number);
std::string ParallelPath(int number);

}  // namespace portmgr
