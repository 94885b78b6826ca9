// The display's text road, byte for byte: set-up at claim and enable,
// text with wrap and scroll, attributes, brightness, code tables.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/service/display/display_fixture.h"

namespace display_test {
namespace {

const std::string kEscInit("\x1B\x40", 2);

TEST_F(DisplayTest, ClaimInitialisesAndEnableSetsTheDisplayUp) {
  CLineDisplay d;
  ASSERT_EQ(d.OpenService("LineDisplay", "QDX-200", &co), 0);
  ASSERT_EQ(d.ClaimDevice(1000), 0);
  EXPECT_EQ(fake().Written(), kEscInit);
  Mark();
  d.SetPropertyNumber(3, 1);
  ASSERT_EQ(d.GetPropertyNumber(6), 0);
  // ESC @, overwrite mode, clear, ESC t 16 (999 is the Windows set), ESC R 0,
  // cursor off, steady, full brightness.
  EXPECT_EQ(Since(), kEscInit + Bytes({0x1F, 0x01, 0x0C, 0x1B, 0x74, 16, 0x1B, 0x52, 0, 0x1F, 0x43, 0, 0x1F,
                                       0x45, 0, 0x1F, 0x58, 4}));
  EXPECT_EQ(d.GetPropertyNumber(8), 1009007);  // build from the entry's Version
  EXPECT_EQ(d.GetPropertyNumber(5010), 2);
  EXPECT_EQ(d.GetPropertyNumber(5008), 20);
  EXPECT_EQ(d.GetPropertyString(1005001), "437,850,852,858,866,1252,998,999");
  EXPECT_EQ(d.GetPropertyString(1000002), "QDX-200 Customer Display");
}

TEST_F(DisplayTest, TextIsDrawnAsDifferencesAndTheCursorFollows) {
  CLineDisplay d;
  OpenEnable(d);
  ASSERT_EQ(d.DisplayText(u"Hello", 0), 0);
  EXPECT_EQ(Since(), "Hello");
  EXPECT_EQ(d.GetPropertyNumber(5005), 0);
  EXPECT_EQ(d.GetPropertyNumber(5004), 5);
  Mark();
  ASSERT_EQ(d.DisplayTextAt(1, 3, u"Total 9.99", 0), 0);
  EXPECT_EQ(Since(), At(1, 3) + "Total 9.99");
  Mark();
  // Only the cells that change go out.
  ASSERT_EQ(d.DisplayTextAt(1, 3, u"Total 8.99", 0), 0);
  EXPECT_EQ(Since(), At(1, 9) + "8" + At(1, 13));
  EXPECT_EQ(d.ScreenRows(), (std::vector<std::string>{"Hello               ", "   Total 8.99       "}));
  Mark();
  ASSERT_EQ(d.ClearText(), 0);
  EXPECT_EQ(Since(), At(0, 0) + "     " + At(1, 3) + "          " + At(0, 0));
  EXPECT_EQ(d.GetPropertyNumber(5005), 0);
  EXPECT_EQ(d.GetPropertyNumber(5004), 0);
}

TEST_F(DisplayTest, TextWrapsOntoTheNextRowAndScrollsAtTheEndOfTheWindow) {
  CLineDisplay d;
  OpenEnable(d);
  ASSERT_EQ(d.DisplayText(u"ABCDEFGHIJKLMNOPQRSTuvwxy", 0), 0);
  EXPECT_EQ(Since(), "ABCDEFGHIJKLMNOPQRST" + At(1, 0) + "uvwxy");
  EXPECT_EQ(d.GetPropertyNumber(5005), 1);
  EXPECT_EQ(d.GetPropertyNumber(5004), 5);
  // Filling the last row leaves the cursor waiting on its last cell ...
  ASSERT_EQ(d.DisplayText(u"zzzzzzzzzzzzzzz", 0), 0);
  EXPECT_EQ(d.GetPropertyNumber(5005), 1);
  EXPECT_EQ(d.GetPropertyNumber(5004), 19);
  EXPECT_EQ(d.ScreenRows()[1], "uvwxyzzzzzzzzzzzzzzz");
  // ... and the next character scrolls the window up one row.
  Mark();
  ASSERT_EQ(d.DisplayText(u"12", 0), 0);
  EXPECT_EQ(d.ScreenRows(), (std::vector<std::string>{"uvwxyzzzzzzzzzzzzzzz", "12                  "}));
  EXPECT_EQ(Since(), At(0, 0) + "uvwxyzzzzzzzzzzzzzzz" + At(1, 0) + "12                  " + At(1, 2));
  // CR and LF move the cursor; LF at the bottom scrolls too.
  ASSERT_EQ(d.DisplayTextAt(0, 5, u"ab\rc\nd", 0), 0);
  EXPECT_EQ(d.ScreenRows(), (std::vector<std::string>{"cvwxyabzzzzzzzzzzzzz", "1d                  "}));
  EXPECT_EQ(d.GetPropertyNumber(5005), 1);
  EXPECT_EQ(d.GetPropertyNumber(5004), 2);
  ASSERT_EQ(d.DisplayTextAt(1, 0, u"\n", 0), 0);
  EXPECT_EQ(d.ScreenRows()[0].substr(0, 2), "1d");
}

TEST_F(DisplayTest, CursorUpdateFalseKeepsTheCursorWhereTheTextBegan) {
  CLineDisplay d;
  OpenEnable(d);
  d.SetPropertyNumber(5006, 0);
  ASSERT_EQ(d.DisplayTextAt(1, 2, u"abc", 0), 0);
  EXPECT_EQ(d.GetPropertyNumber(5005), 1);
  EXPECT_EQ(d.GetPropertyNumber(5004), 2);
  EXPECT_EQ(Since(), At(1, 2) + "abc" + At(1, 2));
}

TEST_F(DisplayTest, BlinkIsTheWholeScreensAndReverseWhereTheModelHasIt) {
  CLineDisplay d;
  OpenEnable(d);
  EXPECT_EQ(d.GetPropertyNumber(5501), 1);  // DISP_CB_BLINKALL
  ASSERT_EQ(d.DisplayText(u"SALE", 1), 0);
  EXPECT_EQ(Since(), "SALE" + Bytes({0x1F, 0x45, 10}));  // 500 ms: 10 units of 50 ms
  Mark();
  d.SetPropertyNumber(5018, 250);
  EXPECT_EQ(d.GetPropertyNumber(6), 0);
  EXPECT_EQ(Since(), Bytes({0x1F, 0x45, 5}));
  d.SetPropertyNumber(5018, 10);
  EXPECT_EQ(d.GetPropertyNumber(6), 106);
  Mark();
  ASSERT_EQ(d.DisplayTextAt(0, 0, u"SALE", 0), 0);  // no blinking cell left
  EXPECT_EQ(Since(), At(0, 0) + "SALE" + Bytes({0x1F, 0x45, 0}));
  EXPECT_EQ(d.DisplayText(u"x", 2), 106);  // no reverse on this model
  EXPECT_EQ(d.DisplayText(u"x", 4), 106);
  EXPECT_EQ(d.GetPropertyNumber(5512), 0);

  CLineDisplay four;
  ASSERT_EQ(d.Close(), 0);
  OpenEnable(four, "QDX-420");
  EXPECT_EQ(four.GetPropertyNumber(5512), 2);  // DISP_CR_REVERSEEACH
  EXPECT_EQ(four.GetPropertyNumber(5010), 4);
  ASSERT_EQ(four.DisplayTextAt(3, 0, u"ab", 0), 0);
  Mark();
  ASSERT_EQ(four.DisplayTextAt(3, 1, u"XY", 2), 0);
  ASSERT_EQ(four.DisplayTextAt(3, 3, u"z", 3), 0);
  EXPECT_EQ(Since(), At(3, 1) + Bytes({0x1F, 0x72, 1}) + "XY" + "z" + Bytes({0x1F, 0x45, 10}));
}

TEST_F(DisplayTest, BrightnessTakesTheFourLevelsAndZeroBlanks) {
  CLineDisplay d;
  OpenEnable(d);
  ASSERT_EQ(d.DisplayText(u"Hi", 0), 0);
  Mark();
  d.SetPropertyNumber(5007, 30);
  EXPECT_EQ(d.GetPropertyNumber(6), 0);
  EXPECT_EQ(d.GetPropertyNumber(5007), 40);  // rounded up to a level: 20, 40, 60, 100
  EXPECT_EQ(Since(), Bytes({0x1F, 0x58, 2}));
  const std::tuple<int, int, int> kLevels[] = {{1, 1, 20}, {20, 1, 20}, {41, 3, 60}, {61, 4, 100}};
  for (const auto& [percent, level, shown] : kLevels) {
    Mark();
    d.SetPropertyNumber(5007, percent);
    EXPECT_EQ(Since(), Bytes({0x1F, 0x58, level})) << percent;
    EXPECT_EQ(d.GetPropertyNumber(5007), shown) << percent;
  }
  Mark();
  d.SetPropertyNumber(5007, 0);
  EXPECT_EQ(Since(), Bytes({0x1F, 0x45, 255}));  // switched off, the characters kept
  EXPECT_EQ(d.GetPropertyNumber(5007), 0);
  Mark();
  // Text goes on arriving in the dark and shows with the light; blinking
  // waits for it too.
  ASSERT_EQ(d.DisplayTextAt(1, 0, u"ok", 1), 0);
  EXPECT_EQ(Since(), At(1, 0) + "ok");
  Mark();
  d.SetPropertyNumber(5007, 100);
  EXPECT_EQ(Since(), Bytes({0x1F, 0x58, 4, 0x1F, 0x45, 10}));
  for (int bad : {-1, 101}) {
    d.SetPropertyNumber(5007, bad);
    EXPECT_EQ(d.GetPropertyNumber(6), 106);
  }
  EXPECT_EQ(d.GetPropertyNumber(5007), 100);
}

TEST_F(DisplayTest, CharactersAreMappedIntoTheChosenCodeTable) {
  CLineDisplay d;
  OpenEnable(d);
  // The Windows set: e acute E9, euro 80; a character it lacks is "?".
  ASSERT_EQ(d.DisplayText(u"\u00e9\u20ac\u03a9", 0), 0);
  EXPECT_EQ(Since(), Bytes({0xE9, 0x80, '?'}));
  Mark();
  d.SetPropertyNumber(5001, 858);
  EXPECT_EQ(d.GetPropertyNumber(6), 0);
  EXPECT_EQ(Since(), Bytes({0x1B, 0x74, 19}));
  ASSERT_EQ(d.DisplayTextAt(1, 0, u"\u00e9\u20ac\u00fc", 0), 0);
  EXPECT_EQ(d.ScreenRows()[1].substr(0, 3), Bytes({0x82, 0xD5, 0x81}));
  d.SetPropertyNumber(5001, 998);  // ASCII: nothing above 7F
  ASSERT_EQ(d.DisplayTextAt(1, 0, u"\u00e9a", 0), 0);
  EXPECT_EQ(d.ScreenRows()[1].substr(0, 2), "?a");
  d.SetPropertyNumber(5001, 1253);
  EXPECT_EQ(d.GetPropertyNumber(6), 106);
  EXPECT_EQ(d.GetPropertyNumber(5001), 998);
  // Without mapping the code units go as they are.
  d.SetPropertyNumber(5022, 0);
  ASSERT_EQ(d.DisplayTextAt(1, 0, u"\u00e9\u20ac", 0), 0);
  EXPECT_EQ(d.ScreenRows()[1].substr(0, 2), Bytes({0xE9, '?'}));
}

TEST_F(DisplayTest, TextWithControlCodesIsRefusedAndNothingIsSent) {
  CLineDisplay d;
  OpenEnable(d);
  for (const std::u16string& bad : {std::u16string(u"a\x1B@"), std::u16string(u"\x0C"), std::u16string(u"\x1F\x24\x01\x01"),
                                    std::u16string(u"x\x7F")}) {
    EXPECT_EQ(d.DisplayText(bad, 0), 106);
    EXPECT_EQ(d.DisplayTextAt(0, 0, bad, 0), 106);
  }
  EXPECT_EQ(Since(), "");
}

}  // namespace
}  // namespace display_test
