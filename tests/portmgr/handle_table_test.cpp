// Handles: creation per port name, user bits, deletion and bad arguments.
#include "portmgr/core/handle_table.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_transport.h"

using namespace portmgr;
using namespace portmgr_test;

namespace {

class HandleTableTest : public ::testing::Test {
 protected:
  std::shared_ptr<CFakeLink> link = std::make_shared<CFakeLink>();
  CHandleTable table{FakeFactory(link)};
};

}  // namespace

TEST_F(HandleTableTest, HandlesAreSmallNonZeroAndOnePerPortName) {
  const int32_t com1 = table.Create("COM1", 1);
  const int32_t com2 = table.Create("COM2", 1);
  EXPECT_EQ(com1, 1);
  EXPECT_EQ(com2, 2);
  EXPECT_EQ(table.Create("COM1", 2), com1);  // the drawer shares the printer's port
  EXPECT_EQ(table.Create("com1", 1), 3);     // names are compared exactly
  EXPECT_EQ(table.Count(), 3u);
  ASSERT_NE(table.Find(com1), nullptr);
  EXPECT_EQ(table.Find(com1)->Name(), "COM1");
}

TEST_F(HandleTableTest, BadArgumentsGiveZero) {
  EXPECT_EQ(table.Create(nullptr, 1), 0);
  EXPECT_EQ(table.Create("", 1), 0);
  EXPECT_EQ(table.Create("COM1", 0), 0);
  EXPECT_EQ(table.Create("COM1", 256), 0);
  EXPECT_EQ(table.Create("COM1", -1), 0);
  EXPECT_EQ(table.Create(std::string(2000, 'c').c_str(), 1), 0);
  EXPECT_EQ(table.Count(), 0u);
  EXPECT_EQ(table.Find(0), nullptr);
  EXPECT_EQ(table.Find(-3), nullptr);
  EXPECT_EQ(table.Find(12345), nullptr);
  EXPECT_FALSE(table.Delete(1, 0));
}

TEST_F(HandleTableTest, PortLivesUntilItsLastUserIsDeleted) {
  const int32_t h = table.Create("COM1", 1);
  table.Create("COM1", 2);
  EXPECT_FALSE(table.Delete(4, h));  // bit not held
  EXPECT_FALSE(table.Delete(0, h));
  EXPECT_TRUE(table.Delete(1, h));
  EXPECT_NE(table.Find(h), nullptr);
  EXPECT_FALSE(table.Delete(1, h));  // already gone for the printer
  EXPECT_TRUE(table.Delete(2, h));
  EXPECT_EQ(table.Find(h), nullptr);
  EXPECT_FALSE(table.Delete(2, h));
}

TEST_F(HandleTableTest, DeletingTheLastUserClosesAnOpenPort) {
  const int32_t h = table.Create("NUL", 1);
  std::shared_ptr<CPort> port = table.Find(h);
  ASSERT_TRUE(port->Configure(NulSettings()));
  ASSERT_TRUE(port->Open());
  EXPECT_TRUE(table.Delete(1, h));
  EXPECT_FALSE(port->IsOpen());  // a caller still holding it sees it closed
  EXPECT_EQ(link->Closes(), 1);
}

TEST_F(HandleTableTest, HandlesAreNotReusedRightAway) {
  const int32_t first = table.Create("COM1", 1);
  table.Delete(1, first);
  const int32_t second = table.Create("COM1", 1);
  EXPECT_NE(second, first);
  EXPECT_EQ(table.Find(first), nullptr);
}

TEST_F(HandleTableTest, FullTableRefusesNewPortsButSharesExistingOnes) {
  for (size_t i = 0; i < CHandleTable::kMaxPorts; ++i) {
    ASSERT_NE(table.Create(("P" + std::to_string(i)).c_str(), 1), 0);
  }
  EXPECT_EQ(table.Create("one more", 1), 0);
  EXPECT_NE(table.Create("P0", 2), 0);
}
