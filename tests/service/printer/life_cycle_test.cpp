// OpenService, ClaimDevice, DeviceEnabled, ReleaseDevice and Close against
// the in-memory registry and the scripted port library: what is read, what
// is sent to the printer, and what each failure leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <thread>
#include <string>
#include <vector>

#include "common/opos.h"
#include "common/trace.h"
#include "printer_fixture.h"
#include "service/common/device_environment.h"

using namespace opos;
using namespace printer_test;

namespace {

const std::string kHandshake = Bytes({0x1B, 0x3D, 0x01, 0x1B, 0x63, 0x33, 0x0F, 0x1B, 0x63, 0x34, 0x00});
const std::string kInitialise = Bytes({0x00, 0x00, 0x1B, 0x40});
const std::string kEnable = Bytes({0x1D, 0x61, 0x0F, 0x00, 0x00, 0x00});
const std::string kEnableInk = Bytes({0x1D, 0x61, 0x0F, 0x1D, 0x6A, 0xFF});

int CountWrites(const std::string& bytes) {
  int n = 0;
  for (const std::string& w : PrinterWrites()) n += w == bytes;
  return n;
}

// ---- OpenService -------------------------------------------------------

class OpenServiceTest : public PrinterTest {};

TEST_F(OpenServiceTest, ReadsTheEntryAndProfileAndAcquiresThePort) {
  std::vector<std::string> trace;
  SetTraceSink([&](const std::string& line) { trace.push_back(line); });
  CPOSPrinter p;
  EXPECT_EQ(p.GetPropertyString(1000001), "Not Excuted");
  EXPECT_EQ(p.GetPropertyNumber(9), OPOS_S_CLOSED);

  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  SetTraceSink(nullptr);

  EXPECT_EQ(p.GetPropertyNumber(9), OPOS_S_IDLE);
  EXPECT_EQ(p.GetPropertyString(1000001), "Not Executed");
  EXPECT_EQ(p.GetPropertyString(1000003), "PX-AA");
  EXPECT_EQ(p.GetPropertyString(1000002), "PX-AA receipt printer");
  EXPECT_EQ(p.GetPropertyString(1000004), "Tavo OPOS POSPrinter Service Object");
  EXPECT_EQ(p.GetPropertyNumber(8), 1009003);
  EXPECT_EQ(p.GetPropertyNumber(501), 1);  // CapPowerReporting
  EXPECT_EQ(co.LookedUp(), (std::vector<std::string>{"SODirectIO", "SOError", "SOOutputComplete", "SOStatusUpdate"}));
  ASSERT_EQ(fake().Count("CreatePort"), 1);
  EXPECT_EQ(fake().Calls()[0].text, "Printer1|COM1");
  EXPECT_EQ(fake().Calls()[0].user, 1);
  EXPECT_EQ(fake().Count("OpenPort"), 0);  // the port opens at claim time
  EXPECT_NE(std::find(trace.begin(), trace.end(), "End OpenService = 0"), trace.end());
  EXPECT_EQ(p.Close(), OPOS_SUCCESS);
  EXPECT_EQ(fake().Count("DeletePort"), 1);
  EXPECT_EQ(p.GetPropertyNumber(9), OPOS_S_CLOSED);
}

TEST_F(OpenServiceTest, SerialEntryGivesLineParametersAndOptions) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  const DeviceEntry& e = p.Entry();
  EXPECT_EQ(e.portName, "COM1");
  EXPECT_EQ(e.baudRate, 19200);
  EXPECT_EQ(e.dataBits, 8);
  EXPECT_EQ(e.outputBuffer, 4096);
  EXPECT_EQ(e.inputBuffer, 1024);
  EXPECT_EQ(e.printerType, 1);
  const int32_t serial[5] = {2, 0, 50, 10, 1000};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(e.option[i], serial[i]);
}

TEST_F(OpenServiceTest, ParallelAndNetworkEntries) {
  SeedSerialPrinter("Lpt", "PX-BB", profilePath, "LPT1");
  SeedSerialPrinter("Net", "PX-BB", profilePath, "Ethernet");
  SeedString("Net", "TcpIp", "127.0.0.1");
  SeedDword("Net", "TcpPort", 9100);
  {
    CPOSPrinter p;
    ASSERT_EQ(p.OpenService("POSPrinter", "Lpt", &co), OPOS_SUCCESS);
    const int32_t parallel[5] = {1, 0, 0, 0, 3000};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(p.Entry().option[i], parallel[i]);
    EXPECT_EQ(p.Entry().baudRate, 0);  // serial values are not read
  }
  {
    CPOSPrinter p;
    ASSERT_EQ(p.OpenService("POSPrinter", "Net", &co), OPOS_SUCCESS);
    EXPECT_EQ(p.Entry().portName, "127.0.0.1");
    EXPECT_EQ(p.Entry().baudRate, 9100);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(p.Entry().option[i], 0);
  }
}

TEST_F(OpenServiceTest, UsbEntryUsesTheResolvedDevicePath) {
  SeedSerialPrinter("Usb", "PX-BB", profilePath, "USB001:");
  SeedString("Usb", "UsbDeviceName", "\\\\?\\USB#VID_1234&PID_0202#OLD");
  SeedString("Usb", "Pid", "0202");
  std::string storedPath, productId;
  SetUsbResolverForTesting([&](const std::string& path, const std::string& pid) {
    storedPath = path;
    productId = pid;
    return std::string("\\\\?\\USB#VID_1234&PID_0202#NEW");
  });
  CPOSPrinter p;
  EXPECT_EQ(p.OpenService("POSPrinter", "Usb", &co), OPOS_SUCCESS);
  EXPECT_EQ(storedPath, "\\\\?\\USB#VID_1234&PID_0202#OLD");
  EXPECT_EQ(productId, "0202");
  EXPECT_EQ(p.Entry().portName, "\\\\?\\USB#VID_1234&PID_0202#NEW");
  p.Close();

  SetUsbResolverForTesting([](const std::string&, const std::string&) { return std::string(); });
  CPOSPrinter q;
  EXPECT_EQ(q.OpenService("POSPrinter", "Usb", &co), OPOS_E_ILLEGAL);
  SetUsbResolverForTesting(nullptr);
}

TEST_F(OpenServiceTest, VersionWithoutPointGivesTheBase) {
  SeedString("Printer1", "Version", "19");
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(8), 1009000);
}

TEST_F(OpenServiceTest, EntryWithoutPortOrNameFailsWithoutPort) {
  SeedSerialPrinter("NoPort", "PX-AA", profilePath, "");
  SeedSerialPrinter("NoName", "", profilePath);
  for (const char* device : {"NoPort", "NoName", "Missing"}) {
    CPOSPrinter p;
    EXPECT_EQ(p.OpenService("POSPrinter", device, &co), OPOS_E_ILLEGAL) << device;
    EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
    EXPECT_EQ(p.GetPropertyNumber(9), OPOS_S_IDLE) << device;  // the profile was still read
    EXPECT_EQ(p.Close(), OPOS_SUCCESS);
  }
  EXPECT_EQ(fake().Count("CreatePort"), 0);
  EXPECT_EQ(fake().Count("DeletePort"), 0);
}

TEST_F(OpenServiceTest, UnusableProfileFailsWithIllegal) {
  const std::string noWidth = folder.Write("nowidth.inf", "[POSPRINTER]\r\nRecLineWidth=0\r\n"
                                                          "[DETAIL]\r\nLinecharsNormal=42\r\nDPIHIGH=180\r\nDPIWIDTH=180\r\n");
  const std::string noDpi = folder.Write("nodpi.inf", "[POSPRINTER]\r\nRecLineWidth=512\r\n"
                                                      "[DETAIL]\r\nLinecharsNormal=42\r\nLinecharsCompressed=56\r\n");
  for (const std::string& inf : {folder.File("absent.inf"), noWidth, noDpi}) {
    SeedString("Printer1", "inf", inf);
    CPOSPrinter p;
    EXPECT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_E_ILLEGAL) << inf;
    EXPECT_EQ(p.GetPropertyNumber(9), OPOS_S_IDLE);
    EXPECT_EQ(p.GetPropertyString(1000001), "Not Executed");
  }
  EXPECT_EQ(fake().Count("CreatePort"), 0);
}

TEST_F(OpenServiceTest, PortTakenByAnotherPrinterFailsWithFailure) {
  SeedSerialPrinter("Printer2", "PX-AA", profilePath);  // also COM1
  CPOSPrinter first, second;
  ASSERT_EQ(first.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(second.OpenService("POSPrinter", "Printer2", &co), OPOS_E_FAILURE);
  // A cash drawer on the same printer shares the port.
  const int32_t drawer = AcquirePort("Drawer1", "COM1", PORT_USER_DRAWER);
  EXPECT_NE(drawer, 0);
  EXPECT_TRUE(ReleasePort(PORT_USER_DRAWER, drawer));
  EXPECT_EQ(second.Close(), OPOS_SUCCESS);
  EXPECT_EQ(first.Close(), OPOS_SUCCESS);
}

TEST_F(OpenServiceTest, LibraryMissingFailsWithFailure) {
  fake().SetCreatePortResult(0);
  CPOSPrinter p;
  EXPECT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_E_FAILURE);
  EXPECT_EQ(p.Close(), OPOS_SUCCESS);
}

TEST_F(OpenServiceTest, MissingEventMethodKeepsThePortUntilClose) {
  co.missing = {"SOOutputComplete"};
  CPOSPrinter p;
  EXPECT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_E_NOSERVICE);
  EXPECT_EQ(co.LookedUp().size(), 3u);  // stops at the first failure
  EXPECT_EQ(fake().Count("DeletePort"), 0);
  co.missing.clear();
  EXPECT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_E_ILLEGAL);  // still holds the port
  EXPECT_EQ(fake().Count("CreatePort"), 1);
  EXPECT_EQ(p.Close(), OPOS_SUCCESS);
  EXPECT_EQ(fake().Count("DeletePort"), 1);
}

TEST_F(OpenServiceTest, NullControlObjectFailsWithNoService) {
  CPOSPrinter p;
  EXPECT_EQ(p.OpenService("POSPrinter", "Printer1", nullptr), OPOS_E_NOSERVICE);
}

TEST_F(OpenServiceTest, CloseOnNeverOpenedObjectSucceeds) {
  CPOSPrinter p;
  EXPECT_EQ(p.Close(), OPOS_SUCCESS);
  EXPECT_EQ(p.Close(), OPOS_SUCCESS);
  EXPECT_TRUE(fake().Calls().empty());
}

// ---- ClaimDevice -------------------------------------------------------

class ClaimTest : public PrinterTest {};

TEST_F(ClaimTest, OpensThePortAndSendsTheHandshake) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  ASSERT_EQ(p.ClaimDevice(1000), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(1), 1);
  EXPECT_EQ(fake().Count("SetDeviceOption"), 1);
  EXPECT_EQ(fake().Count("OpenPort"), 1);
  const PortSettings s = fake().LastSettings();
  EXPECT_EQ(fake().LastSettingsPortName(), "COM1");
  EXPECT_EQ(s.baudRate, 19200);
  EXPECT_EQ(s.option[2], 50);
  EXPECT_EQ(s.outputBuffer, 4096);
  EXPECT_EQ(PrinterWrites(), (std::vector<std::string>{kHandshake, kInitialise}));
}

TEST_F(ClaimTest, SecondClaimSendsNothing) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  const size_t writes = PrinterWrites().size();
  EXPECT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  EXPECT_EQ(PrinterWrites().size(), writes);
  EXPECT_EQ(fake().Count("OpenPort"), 1);
}

TEST_F(ClaimTest, RefusedHandshakeLeavesUnclaimedAndRetriesNextTime) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  fake().SetWriteLimit(5);
  EXPECT_EQ(p.ClaimDevice(0), OPOS_E_FAILURE);
  EXPECT_EQ(p.GetPropertyNumber(1), 0);
  EXPECT_EQ(fake().Count("ClosePort"), 1);
  EXPECT_EQ(CountWrites(kInitialise), 0);  // not after a short handshake

  fake().SetWriteLimit(-1);
  EXPECT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  EXPECT_EQ(CountWrites(kHandshake), 1);
  EXPECT_EQ(CountWrites(kInitialise), 1);
}

TEST_F(ClaimTest, PortThatWillNotOpenGivesIllegal) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  fake().SetOpenPortResult(0);
  EXPECT_EQ(p.ClaimDevice(0), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(1), 0);
  EXPECT_TRUE(PrinterWrites().empty());
}

TEST_F(ClaimTest, ClaimWithoutAnOpenServiceGivesIllegal) {
  CPOSPrinter p;
  EXPECT_EQ(p.ClaimDevice(0), OPOS_E_ILLEGAL);
  SeedString("Printer1", "Port", "");
  EXPECT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.ClaimDevice(0), OPOS_E_ILLEGAL);
}

TEST_F(ClaimTest, HandshakeNeedsThePortLockAtOnce) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  PortEntry* entry = FindPort(1);  // the fake's first handle
  ASSERT_NE(entry, nullptr);
  CPortManager* port = entry->manager;
  std::promise<void> locked, release;
  std::thread holder([&] {
    port->Lock(-1);
    locked.set_value();
    release.get_future().wait();
    port->Unlock();
  });
  locked.get_future().wait();
  const size_t writes = PrinterWrites().size();
  EXPECT_FALSE(p.InitializePrinter(2));  // another writer holds the port
  EXPECT_EQ(PrinterWrites().size(), writes);
  release.set_value();
  holder.join();
  EXPECT_TRUE(p.InitializePrinter(1));
  EXPECT_EQ(PrinterWrites().back(), kHandshake);  // mode 1 does not initialise
}

// ---- DeviceEnabled -----------------------------------------------------

class EnableTest : public PrinterTest {};

TEST_F(EnableTest, NeedsAClaim) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  p.SetPropertyNumber(3, 1);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_NOTCLAIMED);
  EXPECT_EQ(p.GetPropertyNumber(3), 0);
  EXPECT_TRUE(PrinterWrites().empty());
}

TEST_F(EnableTest, SendsTheStatusBlockOnceAndOpensEvents) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(3, 1);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(CountWrites(kEnable), 1);
  EXPECT_EQ(CountWrites(kEnableInk), 0);
  EXPECT_GE(fake().Count("Clear"), 1);
  EXPECT_EQ(p.GetPropertyNumber(4), 0);  // FreezeEvents
}

TEST_F(EnableTest, InkPrinterAlsoEnablesInkStatus) {
  SeedDword("Printer1", "type", 3);
  CPOSPrinter p;
  OpenClaimEnable(p);
  EXPECT_EQ(CountWrites(kEnableInk), 1);
  EXPECT_EQ(CountWrites(kEnable), 0);
}

TEST_F(EnableTest, ShortEnableWriteFailsButUnfreezesEvents) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  p.SetPropertyNumber(4, 1);
  fake().SetWriteLimit(3);
  p.SetPropertyNumber(3, 1);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_FAILURE);
  EXPECT_EQ(p.GetPropertyNumber(3), 0);
  EXPECT_EQ(p.GetPropertyNumber(4), 0);
}

TEST_F(EnableTest, DisableFreezesEventsAndForgetsPower) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(3, 0);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(3), 0);
  EXPECT_EQ(p.GetPropertyNumber(4), 1);
  EXPECT_EQ(p.GetPropertyNumber(14), OPOS_PS_UNKNOWN);
  EXPECT_EQ(p.GetPropertyNumber(8040), PTR_CART_OK);
}

// ---- ReleaseDevice and Close -------------------------------------------

class ReleaseTest : public PrinterTest {};

TEST_F(ReleaseTest, ReleaseOfAnEnabledDeviceDisablesFirst) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  EXPECT_EQ(p.ReleaseDevice(), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(1), 0);
  EXPECT_EQ(p.GetPropertyNumber(3), 0);
  EXPECT_EQ(p.GetPropertyNumber(14), OPOS_PS_UNKNOWN);
  EXPECT_EQ(fake().Count("ClosePort"), 1);
  EXPECT_EQ(fake().Count("DeletePort"), 0);  // the port object stays until Close
}

TEST_F(ReleaseTest, ReleaseWhileNotClaimedIsIllegal) {
  CPOSPrinter p;
  EXPECT_EQ(p.ReleaseDevice(), OPOS_E_ILLEGAL);
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(p.ReleaseDevice(), OPOS_E_ILLEGAL);
  EXPECT_EQ(fake().Count("ClosePort"), 0);
}

TEST_F(ReleaseTest, CloseReleasesAndGivesThePortBack) {
  {
    CPOSPrinter p;
    OpenClaimEnable(p);
    EXPECT_EQ(p.Close(), OPOS_SUCCESS);
    EXPECT_EQ(p.GetPropertyNumber(1), 0);
    EXPECT_EQ(p.GetPropertyNumber(9), OPOS_S_CLOSED);
    EXPECT_EQ(fake().Count("ClosePort"), 1);
    EXPECT_EQ(fake().Count("DeletePort"), 1);
  }
  // The same object class can open the port again.
  CPOSPrinter again;
  EXPECT_EQ(again.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
}

TEST_F(ReleaseTest, DestroyingAnOpenObjectClosesIt) {
  {
    CPOSPrinter p;
    OpenClaimEnable(p);
  }
  EXPECT_EQ(fake().Count("ClosePort"), 1);
  EXPECT_EQ(fake().Count("DeletePort"), 1);
}

TEST_F(ReleaseTest, RepeatedCyclesKeepTheCountsBalanced) {
  CPOSPrinter p;
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
    ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
    p.SetPropertyNumber(3, 1);
    ASSERT_EQ(p.GetPropertyNumber(3), 1);
    ASSERT_EQ(p.ReleaseDevice(), OPOS_SUCCESS);
    ASSERT_EQ(p.Close(), OPOS_SUCCESS);
  }
  EXPECT_EQ(fake().Count("CreatePort"), 5);
  EXPECT_EQ(fake().Count("DeletePort"), 5);
  EXPECT_EQ(fake().Count("OpenPort"), 5);
  EXPECT_EQ(fake().Count("ClosePort"), 5);
}

// ---- Methods answered as unsupported -----------------------------------

TEST_F(PrinterTest, UnsupportedMethodsAreIllegalInEveryState) {
  CPOSPrinter p;
  auto all = [&p] {
    int32_t n = 0;
    const int32_t results[] = {p.BeginInsertion(0),     p.BeginRemoval(0),       p.EndInsertion(),
                               p.EndRemoval(),          p.ChangePrintSide(1),    p.MarkFeed(1),
                               p.CompareFirmwareVersion("f", &n), p.UpdateFirmware("f")};
    for (int32_t rc : results) EXPECT_EQ(rc, OPOS_E_ILLEGAL);
    EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  };
  all();
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  all();
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  p.SetPropertyNumber(3, 1);
  all();
}

TEST_F(PrinterTest, CheckStateOrder) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_FALSE(p.CheckState(7));
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_NOTCLAIMED);
  EXPECT_TRUE(p.CheckState(4));  // idle
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  EXPECT_FALSE(p.CheckState(7));
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_DISABLED);
  p.SetPropertyNumber(3, 1);
  EXPECT_TRUE(p.CheckState(7));
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(7), 0);
}

}  // namespace
