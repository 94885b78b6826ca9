// Bar codes, pictures, page mode and upside-down printing through COM onto
// the virtual printer, checked on the rendered receipt: symbols are read
// back by zbarimg (run-e2e.sh reads the list this test writes), pictures
// and turned lines are compared pixel by pixel here.
#include <fstream>

#include "e2e_fixture.h"
#include "service/pipeline/image/picture_file.h"
#include "tests/support/pictures/picture_bytes.h"

namespace {

constexpr long kReceipt = 2, kLeft = -1, kCentre = -2, kTextBelow = -13;

// The receipt PNG as the test can open it (Wine maps Z: to the Unix root).
std::string WindowsPath(const std::string& unixPath) {
  std::string p = "Z:" + unixPath;
  for (char& c : p) c = c == '/' ? '\\' : c;
  return p;
}

class Graphics : public PrinterE2e {
 protected:
  void SetUp() override {
    PrinterE2e::SetUp();
    OpenClaimEnable();
    printer_.SetNumber(8013, 1);  // MapMode: dots
  }

  long Call(const wchar_t* name, std::vector<VARIANT> args) { return printer_.Call(name, std::move(args)); }
  static VARIANT L(long v) { return PrinterSession::Long(v); }
  static VARIANT T(const std::string& s) { return PrinterSession::Bytes(s); }

  // Feeds the last line past the cutter (143 dots behind the head), as an
  // application does, cuts and returns the receipt's Unix path once the
  // printer has written it.
  std::string CutAndSave() {
    CommandLog log;
    EXPECT_EQ(printer_.PrintNormal("\x1b|200uF"), 0);  // MapMode is dots
    EXPECT_EQ(Call(L"CutPaper", {L(100)}), 0);
    EXPECT_TRUE(PumpUntil([&] {
      for (const LoggedCommand& c : log.Since()) {
        if (c.cmd.rfind("cut", 0) == 0) return true;
      }
      return false;
    }));
    return ControlOk("save");
  }

  // The rendered receipt: ink where a pixel is not white.
  static RgbImage LoadReceipt(const std::string& unixPath) {
    RgbImage receipt;
    EXPECT_TRUE(LoadPictureFile(WindowsPath(unixPath), &receipt)) << unixPath;
    return receipt;
  }

  // Asks run-e2e.sh to read this symbol back from the receipt.
  static void ExpectSymbol(const std::string& receipt, const std::string& data) {
    std::ofstream(Rig().outFolder + "\\zbar-expect.txt", std::ios::app | std::ios::binary) << receipt << '\t' << data << '\n';
  }

  std::string PictureFile(const RgbImage& picture, const char* name) {
    const std::string path = Rig().outFolder + "\\" + name;
    std::ofstream(path, std::ios::binary) << tavo_test::PngBytes(picture);
    return path;
  }
};

TEST_F(Graphics, BarCodesAndQrCodesReadBackAsTheDataSent) {
  ASSERT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("E2E-128-abc"), L(110), L(80), L(500), L(kCentre), L(kTextBelow)}),
            0);
  ASSERT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("400638133393"), L(104), L(80), L(400), L(kCentre), L(kTextBelow)}),
            0);
  ASSERT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("E2E39"), L(108), L(80), L(400), L(kLeft), L(kTextBelow)}), 0);
  ASSERT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("E2E QR 0042"), L(501), L(0), L(0), L(kCentre), L(kTextBelow)}), 0);
  EXPECT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("1"), L(110), L(80), L(400), L(kCentre), L(kTextBelow)}), 106);
  const std::string receipt = CutAndSave();
  for (const char* data : {"E2E-128-abc", "4006381333931", "E2E39", "E2E QR 0042"}) ExpectSymbol(receipt, data);
}

// The standard QR Code constant and GS1 DataBar, which the test printer's
// profile lists; Data Matrix and Aztec zbarimg cannot read (the virtual
// printer's own tests compare their modules).
TEST_F(Graphics, StandardQrCodeAndDataBarReadBack) {
  ASSERT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("E2E QR 204"), L(204), L(0), L(0), L(kCentre), L(kTextBelow)}), 0);
  ASSERT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("09501101530003"), L(131), L(80), L(400), L(kCentre), L(0)}), 0);
  ASSERT_EQ(Call(L"PrintBarCode",
                 {L(kReceipt), T("(01)09501101530003(3103)000123"), L(132), L(80), L(500), L(kCentre), L(0)}),
            0);
  ASSERT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("E2E DM"), L(203), L(0), L(0), L(kCentre), L(0)}), 0);
  EXPECT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("E2E"), L(202), L(0), L(0), L(kCentre), L(0)}), 106);
  const std::string receipt = CutAndSave();
  for (const char* data : {"E2E QR 204", "0109501101530003", "01095011015300033103000123"}) ExpectSymbol(receipt, data);
}

TEST_F(Graphics, TwoLevelLogoRendersPixelEqualAfterScaling) {
  const RgbImage logo = tavo_test::TwoLevelLogo();
  ASSERT_EQ(Call(L"PrintBitmap", {L(kReceipt), T(PictureFile(logo, "logo.png")), L(192), L(kLeft)}), 0);
  const RgbImage r = LoadReceipt(CutAndSave());
  const tavo_test::InkBox b = tavo_test::FindInk(r, r.height - 12);
  ASSERT_EQ(b.Width(), 192);
  ASSERT_EQ(b.Height(), 80);
  EXPECT_EQ(tavo_test::InkDifferences(r, b, logo, 2), 0);
}

TEST_F(Graphics, GreyPictureRendersAsAPictureNotABlock) {
  ASSERT_EQ(Call(L"PrintBitmap", {L(kReceipt), T(PictureFile(tavo_test::GreyRamp(), "ramp.png")), L(0), L(kLeft)}), 0);
  const RgbImage r = LoadReceipt(CutAndSave());
  tavo_test::InkBox b = tavo_test::FindInk(r, r.height - 12);
  b.x0 = 0;  // the ramp starts white
  EXPECT_LT(tavo_test::InkShare(r, b, 0, 40), 0.3);
  EXPECT_NEAR(tavo_test::InkShare(r, b, 60, 100), 0.5, 0.15);
  EXPECT_GT(tavo_test::InkShare(r, b, 120, 160), 0.7);
}

TEST_F(Graphics, PageModePrintsWhatWasCollected) {
  CommandLog log;
  ASSERT_EQ(Call(L"pageModePrint", {L(1)}), 0);
  ASSERT_EQ(printer_.PrintNormal("E2E PAGE FIRST\nE2E PAGE SECOND\n"), 0);
  PumpFor(300);
  EXPECT_EQ(log.TextSince().find("E2E PAGE"), std::string::npos) << "printed before the page was";
  ASSERT_EQ(Call(L"pageModePrint", {L(3)}), 0);
  ASSERT_TRUE(WaitForText(log, "E2E PAGE SECOND"));
  bool page = false, printed = false;
  for (const LoggedCommand& c : log.Since()) {
    page = page || c.cmd == "page-mode";
    printed = printed || (page && c.cmd == "form-feed");
  }
  EXPECT_TRUE(printed);
  const RgbImage r = LoadReceipt(CutAndSave());
  EXPECT_GT(tavo_test::FindInk(r, r.height - 12).y1, 0) << "the page left no ink";
}

TEST_F(Graphics, UpsideDownLinesRenderTurned) {
  const std::string line = "E2E TURNED Ag\n";
  ASSERT_EQ(printer_.PrintNormal(line), 0);
  const RgbImage normal = LoadReceipt(CutAndSave());
  ASSERT_EQ(Call(L"RotatePrint", {L(kReceipt), L(259)}), 0);
  ASSERT_EQ(printer_.PrintNormal(line), 0);
  const RgbImage turned = LoadReceipt(CutAndSave());
  const tavo_test::InkBox n = tavo_test::FindInk(normal, normal.height - 12);
  const tavo_test::InkBox t = tavo_test::FindInk(turned, turned.height - 12);
  ASSERT_EQ(n.Height(), t.Height());
  ASSERT_EQ(n.Width(), t.Width());
  EXPECT_NE(n.x0, t.x0) << "the line was not turned";
  int32_t differing = 0;
  for (int32_t y = 0; y < n.Height(); ++y)
    for (int32_t x = 0; x < n.Width(); ++x)
      differing += (normal.At(n.x0 + x, n.y0 + y) != kWhite) != (turned.At(t.x1 - x, t.y1 - y) != kWhite);
  EXPECT_EQ(differing, 0);
}

}  // namespace
