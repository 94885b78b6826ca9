// The display as the control line and the command log show it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/tools/vprinter/display/display_rig.h"
#include "tools/vprinter/io/control.h"

namespace vprinter::test {
namespace {

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(DisplayDevice, ReplyHoldsRowsAttributesCursorAndBrightness) {
  Display display(*findDisplayModel("qdx-200"));
  DisplaySession host("tcp#1");
  display.attach(&host);
  display.receive(host, hex("1B40 1B7413") + "Caf" + hex("82") + hex("1F7201") + " 2,50" + hex("D5") +
                            hex("1F7200 1F240302 1F5803 1F4301 1F450A") + "x");
  EXPECT_EQ(display.json(),
            "{\"model\":\"QDX-200\",\"size\":[2,20],"
            "\"rows\":[\"Caf\u00e9 2,50\u20ac          \",\"  x                 \"],"
            "\"attrs\":[\"bbbbxxxxxxbbbbbbbbbb\",\"bbbbbbbbbbbbbbbbbbbb\"],"
            "\"cursor\":[1,3],\"cursor_shown\":true,\"brightness\":60,\"blink_ms\":500,\"lit\":true,"
            "\"mode\":\"overwrite\",\"code_table\":19,\"international\":0,\"selected\":true,"
            "\"bytes\":35,\"commands\":11,\"connections\":1}");
  display.detach(&host);
  EXPECT_NE(display.json().find("\"connections\":0"), std::string::npos);
}

TEST(DisplayDevice, LogsEachCommandWithTextAsShownAndRemarks) {
  std::string dir = scratchDir();
  Display display(*findDisplayModel("QDX-420"));
  ASSERT_TRUE(display.openLog(dir + "/display.jsonl"));
  DisplaySession host("pty");
  display.attach(&host);
  display.receive(host, hex("1B7402") + "\xD5" + hex("1B7F 1F5809 1F24"));
  display.detach(&host);  // the cut-off cursor command is logged as such
  EXPECT_EQ(fileText(dir + "/display.jsonl"),
            "{\"seq\":1,\"src\":\"pty\",\"cmd\":\"code_table\",\"args\":[2],\"len\":3,\"hex\":\"1b7402\"}\n"
            "{\"seq\":2,\"src\":\"pty\",\"cmd\":\"text\",\"text\":\"\u0131\",\"len\":1,\"hex\":\"d5\"}\n"
            "{\"seq\":3,\"src\":\"pty\",\"cmd\":\"unknown\",\"len\":2,\"hex\":\"1b7f\"}\n"
            "{\"seq\":4,\"src\":\"pty\",\"cmd\":\"brightness\",\"args\":[9],\"len\":3,\"hex\":\"1f5809\","
            "\"note\":\"level out of range: ignored\"}\n"
            "{\"seq\":5,\"src\":\"pty\",\"cmd\":\"incomplete\",\"len\":2,\"hex\":\"1f24\"}\n");
}

TEST(DisplayDevice, ControlLineAnswersOnlyWhenThereIsADisplay) {
  Rig rig;
  Display display(defaultDisplayModel());
  DisplaySession host("tcp#1");
  display.attach(&host);
  display.receive(host, "Hi");
  Control with(rig.printer, ControlHooks{nullptr, nullptr, nullptr, [&] { return display.json(); }});
  EXPECT_EQ(with.execute("display"), "ok " + display.json());
  EXPECT_NE(with.execute("display").find("\"rows\":[\"Hi                  \",\"                    \"]"),
            std::string::npos);
  EXPECT_EQ(with.execute("display rows"), "error unknown command: display rows");
  Control without(rig.printer, ControlHooks{nullptr, nullptr, nullptr, nullptr});
  EXPECT_EQ(without.execute("display"), "error no customer display (start with --display-tcp or --display-pty)");
  display.detach(&host);
}

TEST(DisplayDevice, ModelsAreTheTwoDisplaysOfTheSetupData) {
  ASSERT_NE(findDisplayModel("QDX-420"), nullptr);
  EXPECT_EQ(findDisplayModel("QDX-420")->rows, 4);
  EXPECT_EQ(findDisplayModel("QDX-200")->rows, 2);
  EXPECT_EQ(findDisplayModel("QDX-200")->columns, 20);
  EXPECT_EQ(findDisplayModel("QDX-999"), nullptr);
  EXPECT_EQ(displayModelNames(), "QDX-200, QDX-420");
}

}  // namespace
}  // namespace vprinter::test
