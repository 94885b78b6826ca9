// What the port settings dialog shows: the view moves these values to and
// from its controls before and after each action of the rules.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace devsetup {

// The interface radio buttons, in their order on the dialog.
enum class PortInterface { kSerial = 0, kParallel, kUsb, kEthernet };
inline constexpr int kInterfaceCount = 4;

// A drop-down list. Each entry has the text shown and the text stored; the
// two differ only for Parity and Stop Bit(s), stored as entry indexes.
struct ChoiceList {
  std::vector<std::string> texts;
  std::vector<std::string> values;
  int selected = -1;

  void Add(const std::string& text, const std::string& value);
  void Clear();
  // Selects the entry whose text equals text; false (selection kept) when
  // there is none.
  bool SelectText(const std::string& text);
  int FindValue(const std::string& value) const;
  std::string SelectedText() const;
  std::string SelectedValue() const;
};

struct PortForm {
  std::string deviceName;  // read-only
  std::string ldn;
  std::array<bool, kInterfaceCount> interfaceEnabled{};
  PortInterface iface = PortInterface::kSerial;
  ChoiceList port, baudRate, bitLength, parity, stopBits, flowControl;
  std::array<int, 4> ip{};  // each 0 to 255
  std::string tcpPort;      // digits
  std::string inputBuf, outputBuf, outInterval, inputSleep;

  bool Ethernet() const { return iface == PortInterface::kEthernet; }
  // The five serial lists take input only for the serial interface.
  bool SerialListsEnabled() const { return iface == PortInterface::kSerial; }
  // Label 1023 over the port list or the IP control, label 1024 over the
  // baud rates or the TCP port box.
  const char* PortLabel() const { return Ethernet() ? "IP :" : "Port :"; }
  const char* BaudLabel() const { return Ethernet() ? "Port :" : "Baud Rate :"; }
};

}  // namespace devsetup
