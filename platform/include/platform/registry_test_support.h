// Test-only control of the registry that platform/registry.h reaches.
// Call from a test's set-up, before the code under test starts threads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::test_support {

// Empties the registry the process sees. In-memory hive: a fresh, empty
// hive. Windows: from the first call on, every path is redirected into a
// per-process sandbox key under HKEY_CURRENT_USER (emptied here, removed at
// exit), so parallel test programs and the machine's real entries never
// meet.
void ResetRegistry();

// Stores one value of any type, creating the key path. False on failure.
bool SeedValue(const std::string& keyPath, const std::string& name, uint32_t type,
               const std::vector<uint8_t>& data);
bool SeedString(const std::string& keyPath, const std::string& name, const std::string& text);
bool SeedDword(const std::string& keyPath, const std::string& name, uint32_t value);

}  // namespace platform::test_support
