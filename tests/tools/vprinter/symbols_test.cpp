// The two-dimensional and GS1 DataBar symbols exactly as the Service Object
// sends them, drawn and read back from the receipt: by zbarimg where it
// reads the symbology, else by comparing the modules drawn with the
// symbol encoded from the data the printer stored.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/tools/vprinter/rig.h"
#include "tools/vprinter/render/barcode.h"

namespace vprinter::test {
namespace {

// 00 00, centred, no text, font A: the Service Object's set-up string.
const std::string kSetUp = hex("0000 1B6101 1D4800 1D6600");

std::string Store(char cn, const std::string& data, const std::string& type = "") {
  const size_t n = 3 + type.size() + data.size();
  std::string body{cn, '\x50', '\x30'};
  return hex("1D286B") + std::string{char(n & 0xFF), char(n >> 8)} + body + type + data;
}
std::string Print(char cn) { return hex("1D286B0300") + std::string{cn, '\x51', '\x30'}; }

bool HaveZbar() { return std::system("command -v zbarimg >/dev/null 2>&1") == 0; }

std::string ZbarRead(const std::string& png) {
  std::string out;
  FILE* p = popen(("zbarimg --raw -q '" + png + "' 2>/dev/null").c_str(), "r");
  if (p == nullptr) return out;
  char buf[512];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

class Symbols : public ::testing::Test {
 protected:
  std::string dir = scratchDir();
  Receipts paper{dir, 576};
  Renderer r{paper};
  std::vector<std::string> remarks;

  // Prints the bytes between feeds and cuts; the receipt's path.
  std::string Receipt(const std::string& bytes) {
    Decoder d;
    d.feed(hex("1B6430") + bytes + hex("1B6430"), [&](const Command& c) {
      std::string remark = r.apply(c);
      if (!remark.empty()) remarks.push_back(remark);
    });
    return paper.cut(false);
  }
  void ExpectRead(const std::string& bytes, const std::string& expected) {
    const std::string png = Receipt(bytes);
    ASSERT_FALSE(png.empty());
    EXPECT_TRUE(remarks.empty()) << remarks.front();
    if (!HaveZbar()) GTEST_SKIP() << "zbarimg is not installed (./run deps installs zbar-tools)";
    const std::string read = ZbarRead(png);
    EXPECT_NE(read.find(expected + "\n"), std::string::npos) << png << " read as: " << read;
  }
};

TEST_F(Symbols, QrPdf417AndDataBarReadBack) {
  // QR Code (PTR_BCS_QRCODE and 501 alike): model 2, module 3.
  ExpectRead(kSetUp + hex("1D286B0400 31413200 1D286B0300 314303") + Store('\x31', "FISCAL QR 204") + Print('\x31'),
             "FISCAL QR 204");
  // GS1 DataBar Omnidirectional: 13 digits, the printer adds the check digit.
  ExpectRead(kSetUp + hex("1D6850 1D7702 1D6B4B0D") + "0950110153000", "0109501101530003");
  // Expanded, element strings in parentheses.
  ExpectRead(kSetUp + hex("1D6850 1D7702 1D6B4E1E") + "(01)09501101530003(3103)000123", "01095011015300033103000123");
}

// zbarimg reads neither PDF417, stacked DataBar, Data Matrix, Aztec nor
// Micro QR: the modules drawn
// must be those of the stored data at the module size sent.
TEST_F(Symbols, SymbolsZbarCannotReadDrawTheStoredData) {
  Pdf417Symbol pdf;
  pdf.data = "PDF417 0042";
  struct Case {
    std::string bytes;
    Bitmap expected;
  } cases[] = {
      {hex("1D286B0300 304100 1D286B0300 304200 1D286B0300 304303 1D286B0300 304403") +
           Store('\x30', "PDF417 0042") + Print('\x30'),
       makePdf417(pdf).bars},
      {hex("1D286B0500 3642000000 1D286B0300 364303") + Store('\x36', "DM 203 data") + Print('\x36'),
       makeMatrix({MatrixSymbol::kDataMatrix, "DM 203 data", 3, 0}).bars},
      {hex("1D286B0300 354200 1D286B0300 354300 1D286B0300 354403") + Store('\x35', "AZTEC 206") + Print('\x35'),
       makeMatrix({MatrixSymbol::kAztec, "AZTEC 206", 3, 0}).bars},
      {hex("1D286B0400 31413300 1D286B0300 314303") + Store('\x31', "UQR205") + Print('\x31'),
       makeQr({"UQR205", 3, 3, 0, 0}).bars},
      {hex("1D286B0300 334303") + Store('\x33', "0950110153000", "\x49") + Print('\x33'),
       makeMatrix({MatrixSymbol::kDataBarStacked, "0950110153000", 3, 0x49}).bars},
      {hex("1D286B0300 334303") + Store('\x33', "(01)09501101530003(3103)000123", "\x4C") + Print('\x33'),
       makeMatrix({MatrixSymbol::kDataBarStacked, "(01)09501101530003(3103)000123", 3, 0x4C}).bars},
  };
  for (const Case& c : cases) {
    ASSERT_FALSE(c.expected.empty());
    const int y = paper.y();
    Decoder d;
    d.feed(kSetUp + c.bytes, [&](const Command& cmd) {
      const std::string remark = r.apply(cmd);
      EXPECT_TRUE(remark.empty()) << remark;
    });
    const Bitmap& b = paper.current();
    ASSERT_EQ(paper.y() - y, c.expected.h);
    const int x0 = (576 - c.expected.w) / 2;
    int differences = 0;
    for (int row = 0; row < c.expected.h; ++row)
      for (int x = 0; x < c.expected.w; ++x) differences += (b.at(x0 + x, y + row) != 0) != (c.expected.at(x, row) != 0);
    EXPECT_EQ(differences, 0);
  }
}

}  // namespace
}  // namespace vprinter::test
