// The customer display's screen: what each command leaves on it.
#include <gtest/gtest.h>

#include "tests/tools/vprinter/display/display_rig.h"

namespace vprinter::test {
namespace {

using Rows = std::vector<std::string>;
using Cursor = std::pair<int, int>;
const std::string k20 = "ABCDEFGHIJKLMNOPQRST";

TEST(DisplayScreen, OverwriteModeWrapsToTheNextRowAndFromTheLastToHome) {
  ScreenRig s;
  s.send(k20 + "12345");
  EXPECT_EQ(s.rows(), (Rows{k20, row("12345")}));
  EXPECT_EQ(s.cursor(), Cursor(1, 5));
  s.send(std::string(15, '-') + "xy");
  EXPECT_EQ(s.rows(), (Rows{"xy" + k20.substr(2), "12345" + std::string(15, '-')}));
  EXPECT_EQ(s.cursor(), Cursor(0, 2));
}

TEST(DisplayScreen, VerticalScrollModeMovesRowsUpAtTheEnd) {
  ScreenRig s(4, 20);
  s.send(hex("1F02") + "one" + hex("0D0A") + "two" + hex("0D0A") + "three" + hex("0D0A") + "four" + hex("0D0A") +
         "five");
  EXPECT_EQ(s.rows(), (Rows{row("two"), row("three"), row("four"), row("five")}));
  s.send(hex("1F240104") + k20);  // the screen full: it stays whole until the next character
  EXPECT_EQ(s.rows(), (Rows{row("two"), row("three"), row("four"), k20}));
  EXPECT_EQ(s.cursor(), Cursor(3, 19));
  s.send("!");
  EXPECT_EQ(s.rows(), (Rows{row("three"), row("four"), k20, row("!")}));
  EXPECT_EQ(s.cursor(), Cursor(3, 1));
  s.send(hex("0B 1F0A"));  // up from the top row: rows move down, the top is blank
  EXPECT_EQ(s.rows(), (Rows{row(""), row("three"), row("four"), k20}));
}

TEST(DisplayScreen, HorizontalScrollModeShiftsTheCursorRowLeft) {
  ScreenRig s;
  s.send("keep" + hex("1F03 1F240102") + k20);
  EXPECT_EQ(s.rows(), (Rows{row("keep"), k20}));
  EXPECT_EQ(s.cursor(), Cursor(1, 19));
  s.send("12");
  EXPECT_EQ(s.rows(), (Rows{row("keep"), k20.substr(2) + "12"}));
  EXPECT_EQ(s.cursor(), Cursor(1, 19));
  s.send(hex("08") + "z");  // back from a full row: onto its last cell
  EXPECT_EQ(s.rows()[1], k20.substr(2) + "1z");
}

TEST(DisplayScreen, CursorCommandsMoveAsTheModeSays) {
  ScreenRig s;
  struct Step {
    const char* bytes;
    Cursor after;
  } steps[] = {
      {"1F240502", {1, 4}},   // column 5, row 2
      {"08", {1, 3}},         {"09", {1, 4}},  {"0D", {1, 0}},  {"08", {0, 19}},
      {"0B", {0, 0}},         {"08", {1, 19}},  // overwrite: from home to the last cell
      {"09", {0, 0}},         {"0A", {1, 0}},   {"0A", {0, 0}},  {"1F0A", {1, 0}},
      {"1F0D", {1, 19}},      {"0B 1F42", {1, 0}},
      {"1F241503", {1, 0}},   // column 21, row 3: off the screen, ignored
      {"1F240001", {1, 0}},   {"1F241401", {0, 19}},
  };
  for (const Step& st : steps) {
    s.send(hex(st.bytes));
    EXPECT_EQ(s.cursor(), st.after) << st.bytes;
  }
  EXPECT_EQ(s.send(hex("1F241503")), "move_cursor: out of range: ignored");
}

TEST(DisplayScreen, ClearAndCancelEmptyTheScreenOrTheCursorRow) {
  ScreenRig s;
  s.send("top" + hex("1F240102") + "bottom" + hex("0B 09 18"));
  EXPECT_EQ(s.rows(), (Rows{row(""), row("bottom")}));
  EXPECT_EQ(s.cursor(), Cursor(0, 0));
  s.send(hex("1F240502 0C"));
  EXPECT_EQ(s.rows(), (Rows{row(""), row("")}));
  EXPECT_EQ(s.cursor(), Cursor(0, 0));
}

TEST(DisplayScreen, ReverseMarksTheCellsWrittenWhileItIsOn) {
  ScreenRig s;
  s.send("a" + hex("1F7201") + "bc" + hex("1F7200") + "d");
  EXPECT_EQ(s.attrs()[0], ".rr." + std::string(16, '.'));
  // The screen blinks as a whole: every cell blinks, reversed ones are "x".
  s.send(hex("1F4514"));
  EXPECT_EQ(s.attrs()[0], "bxxb" + std::string(16, 'b'));
  EXPECT_EQ(s.screen.blinkMs(), 1000);
  s.send(hex("1F4500"));
  EXPECT_EQ(s.attrs()[0], ".rr." + std::string(16, '.'));
}

TEST(DisplayScreen, BrightnessLevelsAndSwitchingTheScreenOff) {
  ScreenRig s;
  EXPECT_EQ(s.screen.brightness(), 100);
  const int percent[] = {20, 40, 60, 100};
  for (int level = 1; level <= 4; ++level) {
    s.send(hex("1F58") + char(level));
    EXPECT_EQ(s.screen.brightness(), percent[level - 1]);
  }
  EXPECT_EQ(s.send(hex("1F5800 1F5805")), "brightness: level out of range: ignored; brightness: level out of range: ignored");
  EXPECT_EQ(s.screen.brightness(), 100);
  s.send(hex("1F5802 1F45FF"));
  EXPECT_EQ(s.screen.brightness(), 0);
  EXPECT_FALSE(s.screen.lit());
  EXPECT_EQ(s.screen.blinkMs(), 0);
  s.send(hex("1F4500"));
  EXPECT_EQ(s.screen.brightness(), 40);
}

TEST(DisplayScreen, EachCellKeepsTheTableItWasWrittenWith) {
  ScreenRig s;
  // PC858 (19) has the euro sign at D5, PC437 (0) a box corner; ESC R 2 is Germany.
  s.send(hex("D5 1B7413 D5 1B7402 D5 1B5202 5B 1B5200 5B"));
  EXPECT_EQ(s.rows()[0], row("\u2552\u20ac\u0131\u00c4[", 26));
  EXPECT_EQ(s.send(hex("1B7463")), "code_table: no such table: shown with table 0");
  EXPECT_EQ(s.send(hex("1B520D")), "international: no such set: ignored");
  EXPECT_EQ(s.screen.international(), 0);
}

TEST(DisplayScreen, InitResetsEverythingAndADeselectedDisplayIgnoresAllButSelection) {
  ScreenRig s;
  s.send("x" + hex("1F02 1F5801 1F450A 1F4301 1F7201 1B7413"));
  s.send(hex("1B40"));
  EXPECT_EQ(s.rows(), (Rows{row(""), row("")}));
  EXPECT_EQ(s.screen.mode(), ScreenMode::Overwrite);
  EXPECT_EQ(s.screen.brightness(), 100);
  EXPECT_EQ(s.screen.blinkMs(), 0);
  EXPECT_FALSE(s.screen.cursorShown());
  EXPECT_EQ(s.screen.codeTable(), 0);
  s.send("a");
  EXPECT_EQ(s.attrs()[0][0], '.');

  EXPECT_EQ(s.send(hex("1B3D01") + "hidden" + hex("0C")),
            "text: ignored: display deselected; clear: ignored: display deselected");
  EXPECT_EQ(s.rows()[0], row("a"));
  s.send(hex("1B3D02") + "b");
  EXPECT_EQ(s.rows()[0], row("ab"));
}

TEST(DisplayScreen, SelfTestAndTimeCounterDrawOnTheScreen) {
  ScreenRig s;
  s.send("junk" + hex("1F40"));
  EXPECT_EQ(s.rows(), (Rows{row("SELF TEST"), "!\"#$%&'()*+,-./01234"}));
  EXPECT_EQ(s.send(hex("1F541800")), "set_time: time out of range: ignored");
  s.send(hex("1F540907 1F55"));
  EXPECT_EQ(s.rows()[1], "!\"#$%&'()*+,-./09:07");
  EXPECT_EQ(s.cursor(), Cursor(0, 0));
}

TEST(DisplayScreen, CommandsItDoesNotDrawSayWhy) {
  ScreenRig s;
  EXPECT_EQ(s.send(hex("1B2501 1F3A 1F5E0101") + "a"),
            "user_chars: user-defined characters are not drawn; macro_define: macros are not run; "
            "macro_run: macros are not run");
  EXPECT_EQ(s.rows()[0], row("a"));
}

}  // namespace
}  // namespace vprinter::test

namespace vprinter::test {
namespace {

TEST(DisplayScreen, ACommandWithoutItsParametersIsRefusedNotRead) {
  Screen screen(2, 20);
  for (DisplayOp op : {DisplayOp::MoveTo, DisplayOp::Brightness}) {
    DisplayCommand c;
    c.op = op;
    EXPECT_NE(screen.apply(c), "") << int(op);
  }
  EXPECT_EQ(screen.cursorRow(), 0);
  EXPECT_EQ(screen.brightness(), 100);
}

}  // namespace
}  // namespace vprinter::test
