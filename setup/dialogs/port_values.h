// Text forms of the port settings the dialog stores: the dotted address
// of an Ethernet printer and decimal texts typed into its boxes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace devsetup {

// "TcpIp" split at "." into four decimal parts; a missing part is 0, a
// part above 255 shows as 255 (what the address control can hold), and
// parts after the fourth are ignored.
std::array<int, 4> ParseIpAddress(const std::string& text);
// The four parts by "%d.%d.%d.%d".
std::string FormatIpAddress(const std::array<int, 4>& parts);
// The leading decimal digits of text as a number (0 when there are none),
// held at INT32_MAX instead of overflowing.
int32_t DecimalValue(const std::string& text);

}  // namespace devsetup
