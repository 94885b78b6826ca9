// Exclusive claims of the Service Objects: two objects of one device
// contest the claim as two applications would, the time-out has the
// standard's meaning, and a drawer on a printer's port is claimed apart
// from that printer.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "common/opos.h"
#include "drawer_fixture.h"
#include "service/drawer/cash_drawer.h"
#include "service/printer/pos_printer.h"

using namespace opos;
using namespace printer_test;

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

const std::string kHandshake = Bytes({0x1B, 0x3D, 0x01, 0x1B, 0x63, 0x33, 0x0F, 0x1B, 0x63, 0x34, 0x00});

int Handshakes() {
  int n = 0;
  for (const std::string& w : FakePortMgr::Get().Writes()) n += w == kHandshake;
  return n;
}

class ClaimTest : public drawer_test::DrawerTest {};

TEST_F(ClaimTest, TwoPrinterObjectsOfOneDeviceContestTheClaim) {
  CPOSPrinter first, second;
  ASSERT_EQ(first.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  FakeControlObject co2;
  ASSERT_EQ(second.OpenService("POSPrinter", "Printer1", &co2), OPOS_SUCCESS);  // both open
  EXPECT_EQ(fake().Count("CreatePort"), 1);

  ASSERT_EQ(first.ClaimDevice(0), OPOS_SUCCESS);
  EXPECT_EQ(second.ClaimDevice(0), OPOS_E_TIMEOUT);
  EXPECT_EQ(second.GetPropertyNumber(6), OPOS_E_TIMEOUT);
  const auto start = Clock::now();
  EXPECT_EQ(second.ClaimDevice(700), OPOS_E_TIMEOUT);
  EXPECT_GE(MsSince(start), 650);
  EXPECT_EQ(second.ClaimDevice(-2), OPOS_E_ILLEGAL);
  // The loser reads properties and is refused what needs the claim.
  EXPECT_EQ(second.GetPropertyNumber(1), 0);
  EXPECT_EQ(second.GetPropertyNumber(9), OPOS_S_IDLE);
  EXPECT_EQ(second.GetPropertyString(1000003), "PX-AA");
  second.SetPropertyNumber(3, 1);
  EXPECT_EQ(second.GetPropertyNumber(6), OPOS_E_NOTCLAIMED);
  EXPECT_EQ(second.PrintNormal(2, "x\n"), OPOS_E_NOTCLAIMED);
  EXPECT_EQ(Handshakes(), 1);  // only the holder's

  // A waiter for ever gets it once the holder releases; the port stays
  // open throughout and the new holder sends its own handshake.
  auto waiter = std::async(std::launch::async, [&] { return second.ClaimDevice(OPOS_FOREVER); });
  EXPECT_EQ(waiter.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
  EXPECT_EQ(first.ReleaseDevice(), OPOS_SUCCESS);
  EXPECT_EQ(waiter.get(), OPOS_SUCCESS);
  EXPECT_EQ(second.GetPropertyNumber(1), 1);
  EXPECT_EQ(Handshakes(), 2);
  EXPECT_EQ(first.ClaimDevice(0), OPOS_E_TIMEOUT);

  // Closing the object that is not using the port leaves it open for the
  // holder; Close gives the claim up.
  const int closes = fake().Count("ClosePort");
  EXPECT_EQ(first.Close(), OPOS_SUCCESS);
  EXPECT_EQ(fake().Count("ClosePort"), closes);
  second.SetPropertyNumber(3, 1);
  EXPECT_EQ(second.GetPropertyNumber(3), 1);
  EXPECT_EQ(second.Close(), OPOS_SUCCESS);
  EXPECT_EQ(fake().Count("DeletePort"), 1);
  CPOSPrinter third;
  ASSERT_EQ(third.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(third.ClaimDevice(0), OPOS_SUCCESS);
}

TEST_F(ClaimTest, DestroyingTheHolderAndFailedHandshakesGiveTheClaimUp) {
  CPOSPrinter waiting;
  ASSERT_EQ(waiting.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  {
    CPOSPrinter holder;
    ASSERT_EQ(holder.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
    ASSERT_EQ(holder.ClaimDevice(0), OPOS_SUCCESS);
    EXPECT_EQ(waiting.ClaimDevice(0), OPOS_E_TIMEOUT);
  }
  EXPECT_EQ(waiting.ClaimDevice(0), OPOS_SUCCESS);
  EXPECT_EQ(waiting.ReleaseDevice(), OPOS_SUCCESS);

  fake().SetWriteLimit(2);  // the handshake does not go out
  CPOSPrinter refused;
  ASSERT_EQ(refused.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(refused.ClaimDevice(0), OPOS_E_FAILURE);
  fake().SetWriteLimit(-1);
  EXPECT_EQ(waiting.ClaimDevice(0), OPOS_SUCCESS);
}

TEST_F(ClaimTest, DrawerIsClaimedApartFromItsPrinter) {
  CPOSPrinter printer;
  ASSERT_EQ(printer.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  ASSERT_EQ(printer.ClaimDevice(0), OPOS_SUCCESS);
  printer.SetPropertyNumber(3, 1);

  CCashDrawer drawer, other;
  FakeControlObject co2;
  ASSERT_EQ(drawer.OpenService("CashDrawer", "Drawer1", &co2), OPOS_SUCCESS);
  ASSERT_EQ(other.OpenService("CashDrawer", "Drawer1", &co2), OPOS_SUCCESS);
  EXPECT_EQ(drawer.ClaimDevice(0), OPOS_SUCCESS);
  drawer.SetPropertyNumber(3, 1);
  EXPECT_EQ(drawer.GetPropertyNumber(3), 1);
  EXPECT_EQ(drawer.OpenDrawer(), OPOS_SUCCESS);
  EXPECT_NE(fake().Written().find(DrawerKickBytes(0, 200, 200)), std::string::npos);
  EXPECT_EQ(printer.PrintNormal(2, "beside\n"), OPOS_SUCCESS);

  // The second drawer object: 112, and no kick without the claim.
  EXPECT_EQ(other.ClaimDevice(0), OPOS_E_TIMEOUT);
  const auto start = Clock::now();
  EXPECT_EQ(other.ClaimDevice(300), OPOS_E_TIMEOUT);
  EXPECT_GE(MsSince(start), 250);
  EXPECT_EQ(other.ClaimDevice(-5), OPOS_E_ILLEGAL);
  other.SetPropertyNumber(3, 1);
  EXPECT_EQ(other.GetPropertyNumber(6), OPOS_E_NOTCLAIMED);
  EXPECT_EQ(other.OpenDrawer(), OPOS_E_DISABLED);

  // Releasing disables the drawer and hands the claim on; the printer
  // keeps printing throughout.
  EXPECT_EQ(drawer.ReleaseDevice(), OPOS_SUCCESS);
  EXPECT_EQ(drawer.GetPropertyNumber(3), 0);
  EXPECT_EQ(other.ClaimDevice(1000), OPOS_SUCCESS);
  EXPECT_EQ(printer.GetPropertyNumber(1), 1);
  EXPECT_EQ(printer.PrintNormal(2, "still\n"), OPOS_SUCCESS);
  EXPECT_EQ(other.Close(), OPOS_SUCCESS);
  EXPECT_EQ(drawer.ClaimDevice(0), OPOS_SUCCESS);
}

}  // namespace
