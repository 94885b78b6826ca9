// A whole receipt through the library to the virtual printer: text, a
// raster image, a Code 128 bar code and a QR code, then a cut. The PNG it
// writes must carry both symbols so that a bar code reader decodes them to
// the data sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/rig/rig_fixture.h"

namespace rig {
namespace {

const char kCode128Data[] = "RIG-128-0042";
const char kQrData[] = "https://rig.example/receipt?id=0042&total=12.34";

std::string Le16(std::size_t v) { return Bytes({int(v & 0xFF), int((v >> 8) & 0xFF)}); }

// GS v 0: a 192 x 48 dot frame with a checkered band inside.
std::string RasterImage() {
  const int widthBytes = 24, rows = 48;
  std::string image = Bytes({0x1D, 0x76, 0x30, 0x00}) + Le16(widthBytes) + Le16(rows);
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < widthBytes; ++x) {
      const bool edge = y < 2 || y >= rows - 2;
      const bool band = y >= 16 && y < 32 && ((x + y / 8) % 2 == 0);
      int b = edge || band ? 0xFF : 0x00;
      if (x == 0) b |= 0xC0;
      if (x == widthBytes - 1) b |= 0x03;
      image += char(b);
    }
  }
  return image;
}

std::string Code128() {
  const std::string data = std::string("{B") + kCode128Data;
  return Bytes({0x1D, 0x68, 80, 0x1D, 0x77, 2, 0x1D, 0x48, 2, 0x1D, 0x6B, 73, int(data.size())}) + data + "\n";
}

std::string QrCode() {
  const std::string data = kQrData;
  return Bytes({0x1D, 0x28, 0x6B, 4, 0, 0x31, 0x41, 0x32, 0x00}) +  // model 2
         Bytes({0x1D, 0x28, 0x6B, 3, 0, 0x31, 0x43, 6}) +           // 6-dot modules
         Bytes({0x1D, 0x28, 0x6B, 3, 0, 0x31, 0x45, 0x31}) +        // error correction M
         Bytes({0x1D, 0x28, 0x6B}) + Le16(data.size() + 3) + Bytes({0x31, 0x50, 0x30}) + data +
         Bytes({0x1D, 0x28, 0x6B, 3, 0, 0x31, 0x51, 0x30});         // print
}

std::string Receipt() {
  return Bytes({0x1B, 0x40, 0x1B, 0x61, 1}) + "RIG RECEIPT\n" + Bytes({0x1B, 0x61, 0}) + "Coffee          2.40\n" +
         "Cake            9.94\n" + Bytes({0x1B, 0x61, 1}) + RasterImage() + "\n" + Code128() + QrCode() + "\n" +
         Bytes({0x1B, 0x64, 4, 0x1D, 0x56, 0x00});
}

// Runs a command and gives what it printed, or false when it failed.
bool RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return false;
  char buffer[512];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output->append(buffer, n);
  return pclose(pipe) == 0;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

class Rendering : public LinkFixture {
 protected:
  PortSettings Settings() override { return NetworkSettings("127.0.0.1", Printer()->dataPort); }
};

}  // namespace

TEST_F(Rendering, ReceiptWithImageAndSymbolsDecodesBack) {
  // Earlier tests' text goes out on a receipt of its own first, fed past
  // the cutter.
  const std::string flush = Bytes({0x1D, 0x56, 65, 0x00});
  const long earlier = StateNumber("receipts");
  ASSERT_EQ(port->Write(flush), 4);
  ASSERT_TRUE(Eventually([&] { return StateNumber("receipts") == earlier + 1; }, 60000));

  CommandLog log;
  const long receiptsBefore = earlier + 1;
  const std::string receipt = Receipt();
  ASSERT_EQ(port->Write(receipt), int32_t(receipt.size()));
  ASSERT_TRUE(log.WaitFor([](const LoggedCommand& c) { return c.cmd == "cut-full"; }, 60000));

  std::vector<std::string> seen;
  for (const LoggedCommand& c : log.Since()) seen.push_back(c.cmd);
  for (const char* want : {"raster-image", "bar-code", "symbol", "cut-full"}) {
    EXPECT_NE(std::find(seen.begin(), seen.end(), want), seen.end()) << want;
  }
  for (const LoggedCommand& c : log.Since()) {
    if (c.cmd == "raster-image") {
      EXPECT_EQ(c.args, (std::vector<long>{0, 24, 48}));
    }
    if (c.cmd == "bar-code") {
      EXPECT_EQ(c.data, std::string("{B") + kCode128Data);
    }
  }

  ASSERT_TRUE(Eventually([&] { return StateNumber("receipts") == receiptsBefore + 1; }, 60000));
  const std::string png = StateText("last_png");
  std::ifstream in(png, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 8u) << png;
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  EXPECT_NE(ControlOk("text").find("RIG RECEIPT"), std::string::npos);

  if (std::system("command -v zbarimg >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "zbarimg is not installed (./run deps installs zbar-tools); " << png << " was not decoded";
  }
  std::string decoded;
  ASSERT_TRUE(RunCommand("zbarimg --raw -q " + Quoted(png), &decoded)) << "zbarimg found no symbol in " << png;
  EXPECT_NE(decoded.find(std::string(kCode128Data) + "\n"), std::string::npos) << decoded;
  EXPECT_NE(decoded.find(std::string(kQrData) + "\n"), std::string::npos) << decoded;
}

}  // namespace rig
