// The printer Service Object's portable core bound to the real port-manager
// library and printing to the virtual printer over TCP: bar codes and QR
// codes read back by zbarimg, a two-level logo rendered pixel-equal after
// scaling, a grey picture rendered as a picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "common/opos.h"
#include "platform/registry_test_support.h"
#include "service/pipeline/image/picture_file.h"
#include "service/port/port_table.h"
#include "service/common/control_object.h"
#include "service/printer/pos_printer.h"
#include "tests/rig/rig_library.h"
#include "tests/rig/rig_printer.h"
#include "tests/support/pictures/picture_bytes.h"
#include "tests/support/temp_folder.h"

namespace rig {
namespace {

using namespace opos;

// Events are not looked at here: every job is synchronous.
class SilentControlObject : public IControlObject {
 public:
  bool LookUp(const char*, int32_t* dispid) override { return *dispid = 1, true; }
  void SODirectIO(int32_t, int32_t, int32_t*, std::string*) override {}
  void SOError(int32_t, int32_t, int32_t, int32_t, int32_t*) override {}
  void SOOutputComplete(int32_t, int32_t) override {}
  void SOStatusUpdate(int32_t, int32_t) override {}
};

class ServiceObject : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(SharedLibrary(), nullptr);
    ASSERT_NE(Printer(), nullptr) << PrinterProblem();
    ASSERT_TRUE(ResetDevice());
    platform::test_support::ResetRegistry();
    SetPortLibraryForTesting(SharedLibrary());
    const std::string key = "Software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\RigPrinter";
    using platform::test_support::SeedString;
    for (const auto& [name, value] : {std::pair<const char*, std::string>{"", "Tavo.POSPrinter.ServiceObject.1.9"},
                                      {"DeviceName", "RIG-80"}, {"Port", "Ethernet"}, {"TcpIp", "127.0.0.1"},
                                      {"OutputBuf", "8192"}, {"InputBuf", "8192"}, {"inf", RIG_PROFILE}}) {
      SeedString(key, name, value);
    }
    platform::test_support::SeedDword(key, "TcpPort", static_cast<uint32_t>(Printer()->dataPort));
    platform::test_support::SeedDword(key, "type", 1);
    ASSERT_EQ(p.OpenService("POSPrinter", "RigPrinter", &co), 0);
    ASSERT_EQ(p.ClaimDevice(1000), 0);
    p.SetPropertyNumber(3, 1);  // DeviceEnabled
    p.SetPropertyNumber(8013, PTR_MM_DOTS);
  }
  void TearDown() override {
    p.Close();
    SetPortLibraryForTesting(nullptr);
  }

  // Feeds the last line past the cutter (143 dots behind the head), as an
  // application does, cuts and gives the receipt just written, decoded.
  RgbImage CutAndLoad(std::string* path = nullptr) {
    const long before = StateNumber("receipts");
    EXPECT_EQ(p.PrintNormal(PTR_S_RECEIPT, "\x1b|200uF"), 0);  // MapMode is dots
    EXPECT_EQ(p.CutPaper(100), 0);
    EXPECT_TRUE(Eventually([&] { return StateNumber("receipts") == before + 1; }, 60000));
    const std::string png = StateText("last_png");
    if (path) *path = png;
    RgbImage receipt;
    EXPECT_TRUE(LoadPictureFile(png, &receipt)) << png;
    return receipt;
  }

  std::string PictureFile(const RgbImage& picture, const char* name) {
    return folder.Write(name, tavo_test::PngBytes(picture));
  }

  SilentControlObject co;
  CPOSPrinter p;
  tavo_test::TempFolder folder;
};

TEST_F(ServiceObject, BarCodesAndQrCodesReadBack) {
  ASSERT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "RIG-SO-abc", PTR_BCS_Code128, 80, 500, PTR_BC_CENTER, PTR_BC_TEXT_BELOW), 0);
  ASSERT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "RIG SO QR 7", 501, 0, 0, PTR_BC_CENTER, PTR_BC_TEXT_NONE), 0);
  std::string png;
  CutAndLoad(&png);
  if (std::system("command -v zbarimg >/dev/null 2>&1") != 0) GTEST_SKIP() << "zbarimg is not installed";
  std::string decoded;
  FILE* pipe = popen(("zbarimg --raw -q '" + png + "'").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buffer[512];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) decoded.append(buffer, n);
  pclose(pipe);
  EXPECT_NE(decoded.find("RIG-SO-abc\n"), std::string::npos) << decoded;
  EXPECT_NE(decoded.find("RIG SO QR 7\n"), std::string::npos) << decoded;
}

TEST_F(ServiceObject, PicturesRenderAsTheyWereDrawn) {
  const RgbImage logo = tavo_test::TwoLevelLogo();
  ASSERT_EQ(p.PrintBitmap(PTR_S_RECEIPT, PictureFile(logo, "logo.png"), 192, PTR_BM_LEFT), 0);
  RgbImage r = CutAndLoad();
  const tavo_test::InkBox b = tavo_test::FindInk(r, r.height - 12);
  ASSERT_EQ(b.Width(), 192);
  ASSERT_EQ(b.Height(), 80);
  EXPECT_EQ(tavo_test::InkDifferences(r, b, logo, 2), 0);

  ASSERT_EQ(p.PrintBitmap(PTR_S_RECEIPT, PictureFile(tavo_test::GreyRamp(), "ramp.png"), 0, PTR_BM_LEFT), 0);
  r = CutAndLoad();
  tavo_test::InkBox g = tavo_test::FindInk(r, r.height - 12);
  g.x0 = 0;
  EXPECT_LT(tavo_test::InkShare(r, g, 0, 40), 0.3);
  EXPECT_NEAR(tavo_test::InkShare(r, g, 60, 100), 0.5, 0.15);
  EXPECT_GT(tavo_test::InkShare(r, g, 120, 160), 0.7);
}

}  // namespace
}  // namespace rig
