// Test seeding over the public registry calls; the same on every OS.
#include "platform/registry.h"
#include "platform/registry_test_support.h"

namespace platform::test_support {

bool SeedValue(const std::string& keyPath, const std::string& name, uint32_t type,
               const std::vector<uint8_t>& data) {
  RegKey key;
  if (key.Create(keyPath) != kRegOk) return false;
  return key.SetValue(name, type, data.data(), static_cast<uint32_t>(data.size())) == kRegOk;
}

bool SeedString(const std::string& keyPath, const std::string& name, const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return SeedValue(keyPath, name, kRegSz, bytes);
}

bool SeedDword(const std::string& keyPath, const std::string& name, uint32_t value) {
  std::vector<uint8_t> bytes = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                                static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  return SeedValue(keyPath, name, kRegDword, bytes);
}

}  // namespace platform::test_support
