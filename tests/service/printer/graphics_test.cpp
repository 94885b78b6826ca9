// Bar codes, bitmaps, logos, cutting, rotation and page mode through the
// printer object: what reaches the port, and what is refused.
#include <gtest/gtest.h>

#include "common/opos.h"
#include "printer_fixture.h"
#include "service/port/port_manager.h"
#include "service/port/port_table.h"
#include "service/printer/property_index.h"
#include "tests/support/pictures/picture_bytes.h"
#include "tests/support/pictures/picture_forms.h"

using namespace opos;
using namespace printer_test;

namespace {

const std::string kEsc = "\x1B|";

bool Contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

// A network printer of command class 2 with page mode and upside-down
// printing; jobs are written at once without pauses.
class GraphicsTest : public PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
    std::string profile = ReceiptProfile();
    profile.insert(profile.find("[POSPRINTER]\r\n") + 14,
                   "CapRecPageMode=1\r\nCapRecRotate180=1\r\nPageModePrintDirection=2\r\n"
                   "SymbologyList=203,131\r\n");
    SeedNetworkPrinter("Printer1", folder.Write("page.inf", profile));
    OpenClaimEnable(p);
    // The monitor thread's first report of the printer on line marks every
    // setting for resending: let two power polls pass, and send the
    // settings, before the tests.
    const int polls = fake().Count("IsPowerState");
    ASSERT_TRUE(fake().WaitFor([polls] { return fake().Count("IsPowerState") >= polls + 2; }, 10000));
    p.PrintNormal(PTR_S_RECEIPT, "settings sent\n");
  }
  void TearDown() override {
    p.Close();
    PrinterTest::TearDown();
  }

  // What the printer writes while f runs (not the monitor thread's own
  // status settings).
  template <typename F>
  std::string WrittenBy(F f) {
    const size_t before = PrinterWrites().size();
    f();
    std::string out;
    const std::vector<std::string> writes = PrinterWrites();
    for (size_t i = before; i < writes.size(); ++i) out += writes[i];
    return out;
  }

  CPOSPrinter p;
};

TEST_F(GraphicsTest, BarCodesGoOutAsTheirCommands) {
  const std::string out = WrittenBy([&] {
    EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "01234567890", PTR_BCS_UPCA, 300, 400, PTR_BC_CENTER, PTR_BC_TEXT_BELOW),
              OPOS_SUCCESS);
  });
  EXPECT_TRUE(Contains(out, Bytes({0, 0, 0x1B, 0x61, 1, 0x1D, 0x48, 2, 0x1D, 0x66, 0, 0x1D, 0x68, 0x2C, 0x1D, 0x77,
                                   3, 0x1D, 0x6B, 0x41, 0x0B}) + "01234567890"));
  EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "1", 501, 0, 0, 0, 0), OPOS_SUCCESS);
  EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "x", PTR_BCS_MAXICODE, 0, 0, 0, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.PrintBarCode(PTR_S_SLIP, "ABC", PTR_BCS_Code128, 100, 300, 0, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "A", PTR_BCS_Code128, 100, 300, 0, 0), OPOS_E_ILLEGAL);
  // Wider than the line: 106 with the extended code.
  EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "ABC", PTR_BCS_Code128, 100, 513, 0, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(7), OPOS_EPTR_TOOBIG);  // ResultCodeExtended
  p.SetPropertyNumber(pidx::RotateSpecial, PTR_RP_LEFT90);
  EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "ABC", PTR_BCS_Code128, 100, 300, 0, 0), OPOS_E_ILLEGAL);
}

TEST_F(GraphicsTest, StandardQrCodePrintsAsThePrinterSpecificOne) {
  auto printed = [&](int32_t symbology, const std::string& data) {
    return WrittenBy([&] {
      EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, data, symbology, 200, 300, PTR_BC_CENTER, PTR_BC_TEXT_NONE),
                OPOS_SUCCESS);
    });
  };
  const std::string qr = printed(PTR_BCS_QRCODE, "https://example.org/r?id=204");
  EXPECT_TRUE(Contains(qr, Bytes({0x1D, 0x28, 0x6B, 0x04, 0, 0x31, 0x41, 0x32, 0})));
  EXPECT_EQ(qr, printed(501, "https://example.org/r?id=204"));
  // Binary conversion applies to both alike.
  p.SetPropertyNumber(pidx::BinaryConversion, OPOS_BC_NIBBLE);
  EXPECT_EQ(printed(PTR_BCS_QRCODE, "12=2"), printed(501, "12=2"));
  EXPECT_TRUE(Contains(printed(PTR_BCS_QRCODE, "12=2"), Bytes({0x31, 0x50, 0x30, 0x12})));
}

TEST_F(GraphicsTest, OptionalSymbologiesOnlyWhereTheProfileListsThem) {
  // This model lists Data Matrix and GS1 DataBar Omnidirectional.
  EXPECT_TRUE(Contains(WrittenBy([&] {
                         EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "DM", PTR_BCS_DATAMATRIX, 0, 0, 0, 0), OPOS_SUCCESS);
                       }),
                       Bytes({0x1D, 0x28, 0x6B, 0x05, 0, 0x36, 0x50, 0x30, 'D', 'M'})));
  EXPECT_TRUE(Contains(WrittenBy([&] {
                         EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "0950110153000", PTR_BCS_GS1DATABAR, 80, 300, 0, 0),
                                   OPOS_SUCCESS);
                       }),
                       Bytes({0x1D, 0x77, 3, 0x1D, 0x6B, 0x4B, 13}) + "0950110153000"));
  const std::string nothing = WrittenBy([&] {
    for (int32_t s : {int32_t{PTR_BCS_UQRCODE}, int32_t{PTR_BCS_AZTEC}, int32_t{PTR_BCS_GS1DATABAR_E},
                      int32_t{PTR_BCS_GS1DATABAR_S}, int32_t{PTR_BCS_GS1DATABAR_E_S}, int32_t{PTR_BCS_UPDF417}}) {
      EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "(01)09501101530003", s, 0, 0, 0, 0), OPOS_E_ILLEGAL) << s;
    }
    EXPECT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "", PTR_BCS_DATAMATRIX, 0, 0, 0, 0), OPOS_E_ILLEGAL);
  });
  EXPECT_EQ(nothing, "");
}

TEST_F(GraphicsTest, CutPaperIgnoresThePercentage) {
  const std::string half = WrittenBy([&] { EXPECT_EQ(p.CutPaper(50), OPOS_SUCCESS); });
  const std::string full = WrittenBy([&] { EXPECT_EQ(p.CutPaper(100), OPOS_SUCCESS); });
  EXPECT_EQ(half, full);
  EXPECT_TRUE(Contains(half, Bytes({0x1D, 0x56, 0x01, 0x1B, 0x3D, 0x01})));
  EXPECT_EQ(p.CutPaper(101), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.CutPaper(-1), OPOS_E_ILLEGAL);
  // Binary conversion is for the application's data, not the cut.
  p.SetPropertyNumber(pidx::BinaryConversion, OPOS_BC_NIBBLE);
  EXPECT_EQ(WrittenBy([&] { EXPECT_EQ(p.CutPaper(0), OPOS_SUCCESS); }), half);
}

TEST_F(GraphicsTest, RotationReachesTheStatePrefixOnce) {
  const std::string on = Bytes({0x1B, 0x7B, 0x01}), off = Bytes({0x1B, 0x7B, 0x00});
  EXPECT_EQ(p.RotatePrint(PTR_S_RECEIPT, PTR_RP_ROTATE180), OPOS_SUCCESS);
  std::string out = WrittenBy([&] { p.PrintNormal(PTR_S_RECEIPT, "turned\n"); });
  EXPECT_TRUE(Contains(out, on));
  EXPECT_FALSE(Contains(out.substr(out.find(on) + 3), on));
  EXPECT_EQ(p.RotatePrint(PTR_S_RECEIPT, 5), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.RotatePrint(PTR_S_SLIP, PTR_RP_NORMAL), OPOS_E_ILLEGAL);
  EXPECT_FALSE(Contains(WrittenBy([&] { p.PrintNormal(PTR_S_RECEIPT, "x\n"); }), off));  // mode kept
  EXPECT_EQ(p.RotatePrint(PTR_S_RECEIPT, PTR_RP_NORMAL), OPOS_SUCCESS);
  EXPECT_TRUE(Contains(WrittenBy([&] { p.PrintNormal(PTR_S_RECEIPT, "x\n"); }), off));
}

TEST_F(GraphicsTest, PageModeCollectsUntilPrinted) {
  EXPECT_EQ(p.pageModePrint(PTR_PM_NORMAL), OPOS_E_ILLEGAL);  // not in page mode
  std::string out = WrittenBy([&] {
    EXPECT_EQ(p.pageModePrint(PTR_PM_PAGE_MODE), OPOS_SUCCESS);
    EXPECT_EQ(p.PrintNormal(PTR_S_RECEIPT, "on the page\n"), OPOS_SUCCESS);
    EXPECT_EQ(p.CutPaper(100), OPOS_SUCCESS);
  });
  EXPECT_EQ(out, "");
  // The page from its header on (the job's own state prefix in front may
  // resend settings when the printer reports coming on line meanwhile).
  const std::string header = Bytes({0x1B, 0x4C, 0x1B, 0x54, 0x01});
  auto page = [&](const std::string& written) {
    const size_t at = written.find(header);
    return at == std::string::npos ? std::string() : written.substr(at);
  };
  out = page(WrittenBy([&] { EXPECT_EQ(p.pageModePrint(PTR_PM_PRINT_SAVE), OPOS_SUCCESS); }));
  ASSERT_NE(out, "");
  EXPECT_TRUE(Contains(out, "on the page"));
  EXPECT_EQ(out.substr(out.size() - 3), Bytes({0x0C, 0x00, 0x00}));
  // The saved page prints again, the same bytes; then it is gone.
  EXPECT_EQ(page(WrittenBy([&] { EXPECT_EQ(p.pageModePrint(PTR_PM_NORMAL), OPOS_SUCCESS); })), out);
  EXPECT_EQ(p.pageModePrint(PTR_PM_NORMAL), OPOS_E_ILLEGAL);

  EXPECT_EQ(p.pageModePrint(PTR_PM_PAGE_MODE), OPOS_SUCCESS);
  p.PrintNormal(PTR_S_RECEIPT, "discarded\n");
  EXPECT_EQ(p.ClearPrintArea(), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyString(pidx::PageModePrintArea), "0,0,512,1662");
  EXPECT_FALSE(Contains(fake().Written(), "discarded"));
  EXPECT_EQ(p.pageModePrint(5), OPOS_E_ILLEGAL);
  p.SetPropertyString(pidx::PageModePrintArea, "0,0,100");
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyString(pidx::PageModePrintArea), "0,0,512,1662");
  p.SetPropertyNumber(pidx::PageModeStation, PTR_S_SLIP);
  EXPECT_EQ(p.pageModePrint(PTR_PM_PAGE_MODE), OPOS_E_ILLEGAL);
}

// A page that cannot be printed stays collected with page mode on, and
// the page-end command never follows data that did not go out whole.
TEST_F(GraphicsTest, PageThatFailsToPrintIsKeptAndNeverEndedHalfWritten) {
  const std::string pageEnd = Bytes({0x0C, 0x00, 0x00});
  ASSERT_EQ(p.pageModePrint(PTR_PM_PAGE_MODE), OPOS_SUCCESS);
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, "kept page\n"), OPOS_SUCCESS);

  // Nothing goes out: the job fails and the page stays.
  fake().SetWriteLimit(0);
  std::string out = WrittenBy([&] { EXPECT_NE(p.pageModePrint(PTR_PM_NORMAL), OPOS_SUCCESS); });
  EXPECT_NE(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_FALSE(Contains(out, pageEnd));

  // A short write inside the page: the state prefix and the page header
  // go out whole, the page's text does not, and no page end follows it
  // (that would print the half page).
  fake().SetWriteLimit(20);
  out = WrittenBy([&] { EXPECT_NE(p.pageModePrint(PTR_PM_PRINT_SAVE), OPOS_SUCCESS); });
  ASSERT_TRUE(Contains(out, Bytes({0x1B, 0x4C}))) << "the page did not start going out";
  EXPECT_FALSE(Contains(out, pageEnd));
  EXPECT_FALSE(Contains(out, "kept page"));

  // The port works again: the kept page prints whole, once, with its end.
  fake().SetWriteLimit(-1);
  out = WrittenBy([&] { EXPECT_EQ(p.pageModePrint(PTR_PM_NORMAL), OPOS_SUCCESS); });
  ASSERT_TRUE(Contains(out, "kept page"));
  EXPECT_EQ(out.find("kept page"), out.rfind("kept page"));
  EXPECT_EQ(out.substr(out.size() - 3), pageEnd);
  EXPECT_EQ(p.pageModePrint(PTR_PM_NORMAL), OPOS_E_ILLEGAL);  // page mode left
}

// DirectIO needs no claim, but a device busy with output refuses it with
// 113 and sends nothing; once idle it goes through.
TEST_F(GraphicsTest, DirectIOOnABusyDeviceIsRefused) {
  PortEntry* entry = FindPort(fake().Calls().front().handle);
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(entry->manager->Lock(-1));  // the output thread waits for the port
  p.SetPropertyNumber(pidx::AsyncMode, 1);
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, "queued\n"), OPOS_SUCCESS);
  p.SetPropertyNumber(pidx::AsyncMode, 0);
  ASSERT_EQ(p.GetPropertyNumber(9), OPOS_S_BUSY);
  int32_t data = 0;
  std::string raw = "RAW-BYTES";
  EXPECT_EQ(p.DirectIO(0, &data, &raw), OPOS_E_BUSY);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_BUSY);
  EXPECT_EQ(raw, "RAW-BYTES");
  entry->manager->Unlock();
  ASSERT_TRUE(fake().WaitFor([&] { return p.GetPropertyNumber(9) == OPOS_S_IDLE; }, 20000));
  EXPECT_FALSE(Contains(fake().Written(), "RAW-BYTES"));
  EXPECT_EQ(p.DirectIO(0, &data, &raw), OPOS_SUCCESS);
  EXPECT_TRUE(Contains(fake().Written(), "RAW-BYTES"));
}

TEST_F(GraphicsTest, StoredBitmapsAndLogosAreInsertedBySequences) {
  const RgbImage logo = tavo_test::Draw(16, 2, [](int32_t x, int32_t) { return x < 8 ? kBlack : kWhite; });
  const std::string file = folder.Write("logo.png", tavo_test::PngBytes(logo));
  EXPECT_EQ(p.SetBitmap(1, PTR_S_RECEIPT, file, PTR_BM_ASIS, PTR_BM_CENTER), OPOS_SUCCESS);
  EXPECT_EQ(p.SetLogo(PTR_L_TOP, "LOGO\n"), OPOS_SUCCESS);
  // Class 2 with colour: colour graphics, black in plane 1.
  const std::string image = Bytes({0x1B, 0x61, 0x01, 0x1D, 0x28, 0x4C, 0x0E, 0, 0x30, 0x70, 0x30, 1, 1, 0x31, 0x10,
                                   0, 2, 0, 0xFF, 0, 0xFF, 0, 0x1D, 0x28, 0x4C});
  EXPECT_EQ(WrittenBy([&] { p.SetBitmap(2, PTR_S_RECEIPT, file, 0, 0); }), "");  // stored only
  const std::string out = WrittenBy([&] { p.PrintNormal(PTR_S_RECEIPT, kEsc + "1B" + kEsc + "tL"); });
  EXPECT_TRUE(Contains(out, image));
  EXPECT_TRUE(Contains(out, Bytes({0x30, 0x32}) + "LOGO\n"));
  EXPECT_TRUE(Contains(WrittenBy([&] { EXPECT_EQ(p.PrintBitmap(PTR_S_RECEIPT, file, 0, PTR_BM_CENTER), 0); }),
                       image));

  EXPECT_EQ(p.SetBitmap(3, PTR_S_RECEIPT, file, 0, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.SetBitmap(1, PTR_S_RECEIPT, file, 0, -4), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.SetLogo(3, "x"), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.PrintBitmap(PTR_S_RECEIPT, folder.File("missing.png"), 0, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.PrintBitmap(PTR_S_RECEIPT, folder.Write("bad.png", "\x89PNG\r\n\x1A\n"), 0, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.PrintBitmap(PTR_S_RECEIPT, "", 0, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.PrintBitmap(PTR_S_SLIP, file, 0, 0), OPOS_E_ILLEGAL);
}

// Files an application might hand over by mistake or by malice: each is
// refused with 106 or prints, and the printer still prints afterwards.
TEST_F(GraphicsTest, HostilePictureFilesAreRefusedOrPrintedNeverFatal) {
  for (const auto& [name, bytes] : tavo_test::HostilePictureFiles()) {
    const std::string file = folder.Write(name, bytes);
    const int32_t printed = p.PrintBitmap(PTR_S_RECEIPT, file, PTR_BM_ASIS, PTR_BM_LEFT);
    EXPECT_TRUE(printed == OPOS_SUCCESS || printed == OPOS_E_ILLEGAL) << name << ": " << printed;
    const int32_t stored = p.SetBitmap(1, PTR_S_RECEIPT, file, PTR_BM_ASIS, PTR_BM_LEFT);
    EXPECT_EQ(stored, printed) << name;
  }
  EXPECT_EQ(p.PrintBitmap(PTR_S_RECEIPT, folder.Write("huffman.jpg", tavo_test::HostilePictureFiles()[0].second), 0, 0),
            OPOS_E_ILLEGAL);
  const RgbImage logo = tavo_test::Draw(8, 8, [](int32_t x, int32_t) { return x < 4 ? kBlack : kWhite; });
  EXPECT_EQ(p.PrintBitmap(PTR_S_RECEIPT, folder.Write("after.gif", tavo_test::GifBytes(logo)), PTR_BM_ASIS, 0),
            OPOS_SUCCESS);
}

}  // namespace

namespace {

// A stored band image puts back the line spacing in force when ESC|1B
// prints it, not the one of the day it was stored.
TEST_F(PrinterTest, StoredBandBitmapRestoresTheSpacingInForceWhenPrinted) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  const RgbImage logo = tavo_test::Draw(16, 8, [](int32_t x, int32_t) { return x < 8 ? kBlack : kWhite; });
  const std::string file = folder.Write("logo.png", tavo_test::PngBytes(logo));
  p.SetPropertyNumber(pidx::RecLineSpacing, 30);
  ASSERT_EQ(p.SetBitmap(1, PTR_S_RECEIPT, file, PTR_BM_ASIS, PTR_BM_LEFT), OPOS_SUCCESS);
  p.SetPropertyNumber(pidx::RecLineSpacing, 40);
  ASSERT_EQ(p.GetPropertyNumber(pidx::RecLineSpacing), 40);

  const size_t before = fake().Written().size();
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, "\x1B|1Bafter\n"), OPOS_SUCCESS);
  const std::string out = fake().Written().substr(before);
  const size_t image = out.find(Bytes({0x1B, 0x33, 0x10}));
  ASSERT_NE(image, std::string::npos);
  const size_t text = out.find("after");
  ASSERT_NE(text, std::string::npos);
  const std::string between = out.substr(image, text - image);
  EXPECT_EQ(between.find(Bytes({0x1B, 0x33, 0x3C})), std::string::npos);  // 30 dots, stale
  EXPECT_NE(between.find(Bytes({0x1B, 0x33, 0x50})), std::string::npos);  // 40 dots
  p.Close();
}

}  // namespace
