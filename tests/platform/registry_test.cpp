// The registry layer's Windows semantics. Under Wine these run against the
// real Reg* functions (in a sandbox key), natively against the hive.
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "platform/registry_test_support.h"

using namespace platform;

namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { test_support::ResetRegistry(); }

  static std::vector<std::string> SubKeys(const std::string& path) {
    RegKey key;
    std::vector<std::string> names;
    if (key.Open(path, RegAccess::kRead) != kRegOk) return names;
    std::string name;
    for (uint32_t i = 0; key.EnumSubKey(i, &name) == kRegOk; ++i) names.push_back(name);
    return names;
  }
};

TEST_F(RegistryTest, KeyNamesMatchWithoutCaseAndKeepTheirSpelling) {
  RegKey key;
  ASSERT_EQ(key.Create("Software\\Tavo\\MixedCase"), kRegOk);
  RegKey again;
  EXPECT_EQ(again.Open("SOFTWARE\\tavo\\mixedCASE", RegAccess::kRead), kRegOk);
  ASSERT_EQ(key.Create("software\\TAVO\\mixedcase"), kRegOk);  // opens, does not add
  EXPECT_EQ(SubKeys("Software\\Tavo"), std::vector<std::string>{"MixedCase"});
}

TEST_F(RegistryTest, OpenFailsForMissingKeysAndCreateMakesTheWholePath) {
  RegKey key;
  EXPECT_EQ(key.Open("Software\\Nowhere", RegAccess::kRead), kRegNotFound);
  EXPECT_FALSE(key.IsOpen());
  ASSERT_EQ(key.Create("Software\\A\\B\\C"), kRegOk);
  EXPECT_EQ(SubKeys("Software\\A"), std::vector<std::string>{"B"});
  EXPECT_EQ(SubKeys("Software\\A\\B"), std::vector<std::string>{"C"});
}

TEST_F(RegistryTest, ValueNamesMatchWithoutCase) {
  ASSERT_TRUE(test_support::SeedDword("Software\\T", "Porttype", 5));
  RegKey key;
  ASSERT_EQ(key.Open("Software\\T", RegAccess::kAll), kRegOk);
  uint32_t type = 0, value = 0, size = sizeof value;
  ASSERT_EQ(key.QueryValue("PortType", &type, &value, &size), kRegOk);
  EXPECT_EQ(type, uint32_t{kRegDword});
  EXPECT_EQ(value, 5u);
  uint32_t seven = 7;
  ASSERT_EQ(key.SetValue("PORTTYPE", kRegDword, &seven, 4), kRegOk);
  ASSERT_EQ(key.QueryValue("porttype", &type, &value, &size), kRegOk);
  EXPECT_EQ(value, 7u);
}

TEST_F(RegistryTest, DefaultValueExistsOnlyOnceSet) {
  RegKey key;
  ASSERT_EQ(key.Create("Software\\D"), kRegOk);
  uint32_t size = 0;
  EXPECT_EQ(key.QueryValue("", nullptr, nullptr, &size), kRegNotFound);
  ASSERT_EQ(key.SetValue("", kRegSz, "prog.id", 8), kRegOk);
  char text[16] = {};
  size = sizeof text;
  uint32_t type = 0;
  ASSERT_EQ(key.QueryValue("", &type, text, &size), kRegOk);
  EXPECT_EQ(type, uint32_t{kRegSz});
  EXPECT_EQ(size, 8u);
  EXPECT_STREQ(text, "prog.id");
}

TEST_F(RegistryTest, QueryReportsSizeFirstAndRefusesSmallBuffers) {
  RegKey key;
  ASSERT_EQ(key.Create("Software\\Q"), kRegOk);
  const uint8_t bytes[6] = {1, 2, 3, 4, 5, 6};
  ASSERT_EQ(key.SetValue("bin", kRegBinary, bytes, 6), kRegOk);
  uint32_t type = 0, size = 0;
  ASSERT_EQ(key.QueryValue("bin", &type, nullptr, &size), kRegOk);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, uint32_t{kRegBinary});
  uint8_t small[4] = {};
  size = sizeof small;
  EXPECT_EQ(key.QueryValue("bin", &type, small, &size), kRegMoreData);
  EXPECT_EQ(size, 6u);
  uint8_t exact[6] = {};
  size = 6;
  ASSERT_EQ(key.QueryValue("bin", &type, exact, &size), kRegOk);
  EXPECT_EQ(std::vector<uint8_t>(exact, exact + 6), std::vector<uint8_t>(bytes, bytes + 6));
  EXPECT_EQ(key.QueryValue("missing", &type, nullptr, &size), kRegNotFound);
}

TEST_F(RegistryTest, EveryTypeIsKeptWithItsBytes) {
  const std::vector<std::pair<uint32_t, std::vector<uint8_t>>> cases = {
      {kRegExpandSz, {'%', 'X', '%', 0}},
      {kRegDwordBigEndian, {0, 0, 1, 2}},
      {kRegBinary, {}},
      {kRegDword, {1, 2}},  // a number value of the wrong size is still stored
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(test_support::SeedValue("Software\\Types", "v", c.first, c.second));
    RegKey key;
    ASSERT_EQ(key.Open("Software\\Types", RegAccess::kRead), kRegOk);
    uint8_t data[16] = {};
    uint32_t type = 0, size = sizeof data;
    ASSERT_EQ(key.QueryValue("v", &type, data, &size), kRegOk);
    EXPECT_EQ(type, c.first);
    EXPECT_EQ(std::vector<uint8_t>(data, data + size), c.second);
  }
}

// Names compare lower-cased, so "[" and "_" sort before the letters.
TEST_F(RegistryTest, SubKeysEnumerateInCaseFoldedOrder) {
  for (const char* name : {"b", "A", "[x]", "C_1", "c", "_z", "1"}) {
    RegKey key;
    ASSERT_EQ(key.Create(std::string("Software\\Order\\") + name), kRegOk);
  }
  EXPECT_EQ(SubKeys("Software\\Order"), (std::vector<std::string>{"1", "[x]", "_z", "A", "b", "c", "C_1"}));
}

TEST_F(RegistryTest, EnumerationEndsAndRefusesShortNameBuffers) {
  RegKey key;
  ASSERT_EQ(key.Create("Software\\E\\LongerName"), kRegOk);
  ASSERT_EQ(key.Open("Software\\E", RegAccess::kRead), kRegOk);
  std::string name = "kept";
  EXPECT_EQ(key.EnumSubKey(0, &name, 5), kRegMoreData);
  EXPECT_EQ(key.EnumSubKey(0, &name, 10), kRegMoreData);  // the NUL needs room too
  EXPECT_EQ(key.EnumSubKey(0, &name, 11), kRegOk);
  EXPECT_EQ(name, "LongerName");
  EXPECT_EQ(key.EnumSubKey(1, &name), kRegNoMoreItems);
}

TEST_F(RegistryTest, KeysAreDeletedOnlyWhenEmptyOfSubKeys) {
  RegKey key;
  ASSERT_EQ(key.Create("Software\\Del\\Child\\Grandchild"), kRegOk);
  RegKey root;
  ASSERT_EQ(root.Open("Software", RegAccess::kAll), kRegOk);
  EXPECT_EQ(root.DeleteSubKey("Del\\Child"), kRegAccessDenied);
  EXPECT_EQ(root.DeleteSubKey("Del\\Child\\Grandchild"), kRegOk);
  EXPECT_EQ(root.DeleteSubKey("Del\\Child"), kRegOk);
  EXPECT_EQ(root.DeleteSubKey("Del\\Child"), kRegNotFound);
  EXPECT_EQ(SubKeys("Software\\Del"), std::vector<std::string>{});
}

TEST_F(RegistryTest, HandlesOfDeletedKeysFailAndReadHandlesCannotWrite) {
  RegKey leaf;
  ASSERT_EQ(leaf.Create("Software\\Gone"), kRegOk);
  RegKey parent;
  ASSERT_EQ(parent.Open("Software", RegAccess::kAll), kRegOk);
  ASSERT_EQ(parent.DeleteSubKey("Gone"), kRegOk);
  uint32_t size = 0;
  EXPECT_EQ(leaf.QueryValue("x", nullptr, nullptr, &size), kRegKeyDeleted);

  ASSERT_TRUE(test_support::SeedString("Software\\Ro", "v", "x"));
  RegKey reader;
  ASSERT_EQ(reader.Open("Software\\Ro", RegAccess::kRead), kRegOk);
  EXPECT_EQ(reader.SetValue("v", kRegSz, "y", 2), kRegAccessDenied);
  EXPECT_EQ(reader.DeleteValue("v"), kRegAccessDenied);
  RegKey writer;
  ASSERT_EQ(writer.Open("Software\\Ro", RegAccess::kAll), kRegOk);
  EXPECT_EQ(writer.DeleteValue("v"), kRegOk);
  EXPECT_EQ(writer.DeleteValue("v"), kRegNotFound);
}

TEST_F(RegistryTest, ValuesEnumerateWithTheirTypesAndBytes) {
  RegKey key;
  ASSERT_EQ(key.Create("Software\\Tavo\\Values"), kRegOk);
  ASSERT_EQ(key.SetValue("Text", kRegSz, "ab\0", 3), kRegOk);
  ASSERT_EQ(key.SetValue("", kRegDword, "\x01\x00\x00\x00", 4), kRegOk);
  ASSERT_EQ(key.SetValue("Empty", kRegBinary, nullptr, 0), kRegOk);
  std::vector<std::string> seen;
  std::string name, data;
  uint32_t type = 0, index = 0;
  for (; key.EnumValue(index, &name, &type, &data) == kRegOk; ++index) {
    seen.push_back(name + ":" + std::to_string(type) + ":" + std::to_string(data.size()));
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<std::string>{":4:4", "Empty:3:0", "Text:1:3"}));
  EXPECT_EQ(key.EnumValue(index, &name, &type, &data), kRegNoMoreItems);
}

TEST_F(RegistryTest, TheTwoViewsAreApart) {
  const RegView native = NativeRegistryView();
  const RegView other = native == RegView::k64 ? RegView::k32 : RegView::k64;
  EXPECT_EQ(CurrentRegistryView(), native);
  RegKey key;
  ASSERT_EQ(key.Create("Software\\Tavo\\OnlyHere"), kRegOk);
  SetRegistryView(other);
  RegKey there;
  EXPECT_EQ(there.Open("Software\\Tavo\\OnlyHere", RegAccess::kRead), kRegNotFound);
  ASSERT_EQ(there.Create("Software\\Tavo\\OnlyThere"), kRegOk);
  SetRegistryView(native);
  EXPECT_EQ(SubKeys("Software\\Tavo"), std::vector<std::string>{"OnlyHere"});
  test_support::ResetRegistry();
  EXPECT_EQ(CurrentRegistryView(), native) << "a reset returns to the program's own view";
}

TEST_F(RegistryTest, ResetLeavesAnEmptyRegistry) {
  ASSERT_TRUE(test_support::SeedString("Software\\Before", "v", "x"));
  test_support::ResetRegistry();
  RegKey key;
  EXPECT_EQ(key.Open("Software\\Before", RegAccess::kRead), kRegNotFound);
}

TEST_F(RegistryTest, ThreadsMayReadAndWriteAtOnce) {
  ASSERT_TRUE(test_support::SeedDword("Software\\Shared", "n", 0));
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (uint32_t i = 0; i < 200; ++i) {
        RegKey key;
        if (t % 2) {
          if (key.Create("Software\\Shared\\K" + std::to_string(t)) == kRegOk) key.SetValue("n", kRegDword, &i, 4);
        } else if (key.Open("Software\\Shared", RegAccess::kRead) == kRegOk) {
          std::string name;
          key.EnumSubKey(0, &name);
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(SubKeys("Software\\Shared"), (std::vector<std::string>{"K1", "K3"}));
}

}  // namespace
