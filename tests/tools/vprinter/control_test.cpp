// The control line protocol.
#include <gtest/gtest.h>

#include "tests/tools/vprinter/rig.h"
#include "tools/vprinter/io/control.h"

namespace vprinter::test {
namespace {

class ControlLines : public ::testing::Test {
 protected:
  Rig rig;
  int drops = 0;
  bool quitCalled = false;
  Control control{rig.printer, ControlHooks{[this] { return ++drops; }, [this] { quitCalled = true; }, nullptr, nullptr}};
};

TEST_F(ControlLines, DeviceCommandsChangeTheStatusAndPushAsb) {
  rig.send(hex("1D610F"));
  EXPECT_EQ(control.execute("cover open"), "ok cover open");
  EXPECT_EQ(rig.host.outbox, hex("3C000000"));
  EXPECT_EQ(control.execute("cover close"), "ok cover close");
  EXPECT_EQ(control.execute("paper near-end"), "ok paper near-end");
  EXPECT_EQ(rig.printer.device().paper, Paper::NearEnd);
  EXPECT_EQ(control.execute("offline"), "ok offline");
  EXPECT_TRUE(rig.printer.device().offline());
  EXPECT_EQ(control.execute("online"), "ok online");
  EXPECT_EQ(control.execute("drawer open"), "ok drawer open");
  EXPECT_TRUE(rig.printer.device().drawerOpen());
  EXPECT_EQ(control.execute("drawer close"), "ok drawer close");
  EXPECT_EQ(control.execute("error cutter"), "ok error cutter");
  EXPECT_EQ(control.execute("error mechanical"), "ok error mechanical");
  EXPECT_TRUE(rig.printer.device().mechanicalError);
  EXPECT_EQ(control.execute("error clear"), "ok error clear");
  EXPECT_FALSE(rig.printer.device().anyError());
  EXPECT_EQ(control.execute("ink 2 near-end"), "ok ink 2 near-end");
  EXPECT_EQ(rig.printer.device().ink[1], Ink::NearEnd);
}

TEST_F(ControlLines, BadLinesGetErrors) {
  for (const char* line : {"", "cover", "cover ajar", "paper low", "ink 3 ok", "ink 1", "error smoke",
                           "online now", "frobnicate", "drawer open wide please"})
    EXPECT_EQ(control.execute(line).rfind("error ", 0), 0u) << line;
}

TEST_F(ControlLines, TextSaveStateDropQuit) {
  EXPECT_EQ(control.execute("save"), "error nothing printed yet");
  rig.send("Line \"one\"\nLine two\n");
  EXPECT_EQ(control.execute("text"), "ok \"Line \\\"one\\\"\\nLine two\\n\"");
  std::string saved = control.execute("save");
  EXPECT_EQ(saved, "ok " + rig.opts.outDir + "/receipt-0001.png");
  std::string state = control.execute("state");
  EXPECT_EQ(state.rfind("ok {\"paper\":\"ok\",\"cover\":\"closed\",\"online\":true", 0), 0u) << state;
  EXPECT_NE(state.find("\"connections\":1,\"model\":\"TavoPOS-R300\""), std::string::npos);
  EXPECT_EQ(state.back(), '}');
  EXPECT_EQ(control.execute("drop"), "ok dropped 1");
  EXPECT_EQ(control.execute("quit"), "ok bye");
  EXPECT_TRUE(quitCalled);
}

TEST_F(ControlLines, TextIsUtf8EncodedOnce) {
  rig.send(hex("1B7410") + "Cr\xE8me \x80\n");
  EXPECT_EQ(control.execute("text"), "ok \"Cr\u00E8me \u20AC\\n\"");
}

TEST_F(ControlLines, BackOnLineReleasesHeldData) {
  control.execute("paper empty");
  rig.send("waiting\n");
  EXPECT_EQ(control.execute("text"), "ok \"\"");
  control.execute("paper ok");
  EXPECT_EQ(control.execute("text"), "ok \"waiting\\n\"");
}

}  // namespace
}  // namespace vprinter::test
