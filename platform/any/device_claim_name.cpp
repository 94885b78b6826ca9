#include <string>

#include "platform/device_claim.h"

namespace platform {

namespace {

std::string& Scope() {
  static std::string scope;
  return scope;
}

bool Plain(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

// '_' escapes, so distinct names stay distinct.
void AppendEscaped(const std::string& text, std::string* out) {
  static const char kHex[] = "0123456789abcdef";
  for (unsigned char c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    if (Plain(c)) {
      *out += static_cast<char>(c);
    } else {
      *out += '_';
      *out += kHex[c >> 4];
      *out += kHex[c & 0x0F];
    }
  }
}

}  // namespace

std::string DeviceClaimName(const std::string& deviceClass, const std::string& deviceName) {
  std::string name = "tavo.opos.claim.";
  if (!Scope().empty()) {
    AppendEscaped(Scope(), &name);
    name += '.';
  }
  AppendEscaped(deviceClass, &name);
  name += '.';
  AppendEscaped(deviceName, &name);
  return name;
}

void SetDeviceClaimScopeForTesting(const std::string& scope) { Scope() = scope; }

}  // namespace platform
