// CRegistryAccess: the registry value accessor both deliverables use. Bound
// to HKEY_LOCAL_MACHINE. Every call opens the key it needs, does one thing
// and closes it again; nothing is cached. A failed read leaves the output
// untouched, so callers preset it to the default they want.
// Implemented over platform/registry.h (Reg* on Windows, an in-memory hive
// with Windows' semantics elsewhere).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One stored value as the registry holds it: its name, type number
// (REG_SZ 1, REG_DWORD 4, ...) and bytes.
struct RegistryValue {
  std::string name;
  uint32_t type = 0;
  std::string bytes;
};

// A REG_SZ with its terminating NUL, and a REG_DWORD, as WriteString and
// WriteNumber store them.
RegistryValue TextValue(const std::string& name, const std::string& text);
RegistryValue NumberValue(const std::string& name, int32_t number);

class CRegistryAccess {
 public:
  CRegistryAccess();  // HKEY_LOCAL_MACHINE

  // True when the value exists as REG_SZ, REG_EXPAND_SZ or REG_LINK.
  // An empty value name addresses the key's default value.
  bool ReadString(const std::string& keyPath, const std::string& valueName, std::string* out) const;
  // True when the value exists as REG_DWORD or REG_DWORD_BIG_ENDIAN; the
  // four stored bytes are read little-endian (no swap).
  bool ReadNumber(const std::string& keyPath, const std::string& valueName, int32_t* out) const;
  // Create the key path when missing. Strings are stored as REG_SZ.
  bool WriteString(const std::string& keyPath, const std::string& valueName, const std::string& text) const;
  bool WriteNumber(const std::string& keyPath, const std::string& valueName, int32_t number) const;
  // Stores bytes of any type as they are, creating the key path.
  bool WriteValue(const std::string& keyPath, const RegistryValue& value) const;
  // Every value of the key in enumeration order; empty when it can't be
  // opened.
  std::vector<RegistryValue> ListValues(const std::string& keyPath) const;
  // Deletes one value, or, with valueName null, the key and all below it.
  bool Delete(const std::string& keyPath, const char* valueName) const;

  // Subkey names of a class key, from index 0, stopping at the first
  // enumeration error or the first name that begins with "[".
  std::vector<std::string> ScanClassKey(const std::string& classKeyPath) const;
  // Every subkey name, from index 0 until the enumeration fails (no stop
  // at "["); the device count of the add-device wizard uses this.
  std::vector<std::string> ListSubKeys(const std::string& keyPath) const;
  // True when the key can be opened for reading.
  bool KeyExists(const std::string& keyPath) const;
};
