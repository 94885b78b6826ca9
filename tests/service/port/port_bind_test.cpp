// Binding a real library file by path through the platform loader.
#include <gtest/gtest.h>

#include "platform/registry_test_support.h"
#include "service/port/port_manager.h"
#include "service/port/port_table.h"

namespace {

TEST(PortBind, CompleteLibraryBindsAndWorks) {
  CPortManager port;
  ASSERT_TRUE(port.BindPath(FAKE_MODULE_FULL));
  ASSERT_TRUE(port.Library().Complete());
  EXPECT_EQ(port.Library().CreatePort("P", "COM1", 2), 42);
  port.SetHandle(42);
  ASSERT_TRUE(port.Open(1, PortSettings{}));
  EXPECT_EQ(port.Write("abc", 3), 3);
  port.Close(1);
  port.Unbind();
  EXPECT_EQ(port.Library().CreatePort, nullptr);
}

TEST(PortBind, MissingFileOrEntryPointBindsNothing) {
  CPortManager port;
  EXPECT_FALSE(port.BindPath(""));
  EXPECT_FALSE(port.BindPath("no-such-port-library.bin"));
  EXPECT_FALSE(port.BindPath(FAKE_MODULE_PARTIAL));
  EXPECT_EQ(port.Library().Write, nullptr);
  EXPECT_FALSE(port.Open(1, PortSettings{}));
}

const char kServiceInfo[] = "Software\\OLEforRetail\\ServiceInfo\\Tavo OPOS";

TEST(PortBind, RegistryNamesTheLibrary) {
  platform::test_support::ResetRegistry();
  CPortManager port;
  EXPECT_FALSE(port.Bind());  // no "mngdir"
  ASSERT_TRUE(platform::test_support::SeedString(kServiceInfo, "mngdir", FAKE_MODULE_PARTIAL));
  EXPECT_FALSE(port.Bind());
  ASSERT_TRUE(platform::test_support::SeedString(kServiceInfo, "mngdir", FAKE_MODULE_FULL));
  EXPECT_TRUE(port.Bind());

  // The port table binds the same way when no test table is set.
  const int32_t handle = AcquirePort("Printer", "COM1", 1);
  EXPECT_EQ(handle, 41);
  ASSERT_NE(FindPort(handle), nullptr);
  EXPECT_TRUE(ReleasePort(1, handle));
  EXPECT_EQ(AcquirePort("Printer", "COM7", 1), 0);  // the module's CreatePort refuses it
  platform::test_support::ResetRegistry();
  EXPECT_EQ(AcquirePort("Printer", "COM1", 1), 0);
}

}  // namespace
