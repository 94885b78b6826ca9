#include "common/registry_access.h"

#include <cstring>

#include "platform/registry.h"

using platform::RegAccess;
using platform::RegKey;

namespace {

// Both queries of a read: the size (and type) first, then exactly that
// many bytes. The value may change in between; any mismatch fails.
bool ReadRaw(const std::string& keyPath, const std::string& valueName, uint32_t* type,
             std::string* bytes) {
  RegKey key;
  if (key.Open(keyPath, RegAccess::kRead) != platform::kRegOk) return false;
  uint32_t size = 0;
  if (key.QueryValue(valueName, type, nullptr, &size) != platform::kRegOk) return false;
  std::string buffer(size, '\0');
  uint32_t got = size;
  uint32_t type2 = 0;
  if (key.QueryValue(valueName, &type2, size ? &buffer[0] : nullptr, &got) != platform::kRegOk) return false;
  if (type2 != *type || got != size) return false;
  *bytes = std::move(buffer);
  return true;
}

bool IsTextType(uint32_t type) {
  return type == platform::kRegSz || type == platform::kRegExpandSz || type == platform::kRegLink;
}

bool IsNumberType(uint32_t type) { return type == platform::kRegDword || type == platform::kRegDwordBigEndian; }

}  // namespace

RegistryValue TextValue(const std::string& name, const std::string& text) {
  return RegistryValue{name, platform::kRegSz, text + '\0'};
}

RegistryValue NumberValue(const std::string& name, int32_t number) {
  const uint32_t v = static_cast<uint32_t>(number);
  const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                         static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
  return RegistryValue{name, platform::kRegDword, std::string(bytes, 4)};
}

CRegistryAccess::CRegistryAccess() = default;

bool CRegistryAccess::ReadString(const std::string& keyPath, const std::string& valueName, std::string* out) const {
  uint32_t type = 0;
  std::string bytes;
  if (!ReadRaw(keyPath, valueName, &type, &bytes) || !IsTextType(type)) return false;
  // The text ends at the first NUL; a value stored without one is taken whole.
  *out = bytes.substr(0, bytes.find('\0'));
  return true;
}

bool CRegistryAccess::ReadNumber(const std::string& keyPath, const std::string& valueName, int32_t* out) const {
  uint32_t type = 0;
  std::string bytes;
  if (!ReadRaw(keyPath, valueName, &type, &bytes) || !IsNumberType(type)) return false;
  // A number value of any other size than four bytes is refused rather
  // than read past its end.
  if (bytes.size() != 4) return false;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const uint32_t value = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
  *out = static_cast<int32_t>(value);
  return true;
}

bool CRegistryAccess::WriteString(const std::string& keyPath, const std::string& valueName,
                                  const std::string& text) const {
  RegKey key;
  if (key.Create(keyPath) != platform::kRegOk) return false;
  return key.SetValue(valueName, platform::kRegSz, text.c_str(), static_cast<uint32_t>(text.size() + 1)) ==
         platform::kRegOk;
}

bool CRegistryAccess::WriteNumber(const std::string& keyPath, const std::string& valueName, int32_t number) const {
  RegKey key;
  if (key.Create(keyPath) != platform::kRegOk) return false;
  const uint32_t v = static_cast<uint32_t>(number);
  const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                  static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  return key.SetValue(valueName, platform::kRegDword, bytes, 4) == platform::kRegOk;
}

bool CRegistryAccess::WriteValue(const std::string& keyPath, const RegistryValue& value) const {
  RegKey key;
  if (key.Create(keyPath) != platform::kRegOk) return false;
  return key.SetValue(value.name, value.type, value.bytes.data(), static_cast<uint32_t>(value.bytes.size())) ==
         platform::kRegOk;
}

std::vector<RegistryValue> CRegistryAccess::ListValues(const std::string& keyPath) const {
  std::vector<RegistryValue> values;
  RegKey key;
  if (key.Open(keyPath, RegAccess::kRead) != platform::kRegOk) return values;
  RegistryValue value;
  for (uint32_t index = 0; key.EnumValue(index, &value.name, &value.type, &value.bytes) == platform::kRegOk; ++index) {
    values.push_back(value);
  }
  return values;
}

namespace {

// Depth first: while the key has a subkey at index 0, delete that one the
// same way; then the key itself through its parent. A subkey that cannot
// be deleted ends the loop with false instead of retrying it for ever.
bool DeleteTree(const std::string& keyPath) {
  {
    RegKey key;
    if (key.Open(keyPath, RegAccess::kAll) != platform::kRegOk) return false;
    std::string child;
    while (key.EnumSubKey(0, &child) == platform::kRegOk) {
      if (!DeleteTree(keyPath + "\\" + child)) return false;
    }
  }
  const size_t slash = keyPath.rfind('\\');
  const std::string parentPath = slash == std::string::npos ? std::string() : keyPath.substr(0, slash);
  const std::string leaf = slash == std::string::npos ? keyPath : keyPath.substr(slash + 1);
  RegKey parent;
  if (parent.Open(parentPath, RegAccess::kAll) != platform::kRegOk) return false;
  return parent.DeleteSubKey(leaf) == platform::kRegOk;
}

}  // namespace

bool CRegistryAccess::Delete(const std::string& keyPath, const char* valueName) const {
  if (valueName) {
    RegKey key;
    if (key.Open(keyPath, RegAccess::kAll) != platform::kRegOk) return false;
    return key.DeleteValue(valueName) == platform::kRegOk;
  }
  // The root itself is never deleted.
  const size_t last = keyPath.find_last_not_of('\\');
  if (last == std::string::npos) return false;
  return DeleteTree(keyPath.substr(0, last + 1));
}

namespace {

std::vector<std::string> Enumerate(const std::string& keyPath, bool stopAtBracket) {
  std::vector<std::string> names;
  RegKey key;
  if (key.Open(keyPath, RegAccess::kAll) != platform::kRegOk) return names;
  std::string name;
  for (uint32_t index = 0; key.EnumSubKey(index, &name, 256) == platform::kRegOk; ++index) {
    if (stopAtBracket && !name.empty() && name[0] == '[') break;
    names.push_back(name);
  }
  return names;
}

}  // namespace

std::vector<std::string> CRegistryAccess::ScanClassKey(const std::string& classKeyPath) const {
  return Enumerate(classKeyPath, true);
}

std::vector<std::string> CRegistryAccess::ListSubKeys(const std::string& keyPath) const {
  return Enumerate(keyPath, false);
}

bool CRegistryAccess::KeyExists(const std::string& keyPath) const {
  RegKey key;
  return key.Open(keyPath, RegAccess::kRead) == platform::kRegOk;
}
