// Binding a real library file by path through the platform loader.
#include <gtest/gtest.h>

#include "service/port/port_manager.h"

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

}  // namespace
