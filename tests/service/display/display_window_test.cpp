// Windows, scrolling, the marquee and teletype output. Timed steps are
// checked by what they drew (bytes and screen), with lower time bounds
// from the waits themselves and upper bounds generous enough for a loaded
// machine under sanitizers.
#include <gtest/gtest.h>

#include "tests/service/display/display_fixture.h"

namespace display_test {
namespace {

using Clock = std::chrono::steady_clock;

int64_t MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST_F(DisplayTest, WindowsDrawInTheirViewportAndFollowTheRules) {
  CLineDisplay d;
  OpenEnable(d);
  EXPECT_EQ(d.GetPropertyNumber(5011), 4);  // DeviceWindows
  // The viewport must lie on the screen; the window may be larger in one
  // direction only.
  EXPECT_EQ(d.CreateWindow(1, 0, 2, 20, 2, 20), 106);
  EXPECT_EQ(d.CreateWindow(0, 0, 3, 20, 3, 20), 106);
  EXPECT_EQ(d.CreateWindow(0, 15, 1, 6, 1, 6), 106);
  EXPECT_EQ(d.CreateWindow(0, 0, 1, 10, 2, 20), 106);
  EXPECT_EQ(d.CreateWindow(0, 0, 2, 10, 1, 10), 106);
  EXPECT_EQ(d.CreateWindow(-1, 0, 1, 10, 1, 10), 106);
  ASSERT_EQ(d.CreateWindow(1, 5, 1, 10, 1, 10), 0);
  EXPECT_EQ(d.GetPropertyNumber(5003), 1);
  EXPECT_EQ(d.GetPropertyNumber(5016), 1);
  EXPECT_EQ(d.GetPropertyNumber(5002), 10);
  ASSERT_EQ(d.DisplayText(u"hello world", 0), 0);  // wraps, and the 1-row window scrolls
  EXPECT_EQ(d.ScreenRows()[1], "     d              ");
  EXPECT_EQ(d.DisplayTextAt(1, 0, u"x", 0), 106);  // rows of the window, not the screen
  d.SetPropertyNumber(5003, 0);
  ASSERT_EQ(d.GetPropertyNumber(6), 0);
  ASSERT_EQ(d.DisplayText(u"top", 0), 0);
  EXPECT_EQ(d.ScreenRows()[0].substr(0, 3), "top");
  // Refreshing window 1 draws it again over window 0.
  ASSERT_EQ(d.RefreshWindow(1), 0);
  EXPECT_EQ(d.GetPropertyNumber(5003), 1);
  EXPECT_EQ(d.DestroyWindow(), 0);
  EXPECT_EQ(d.GetPropertyNumber(5003), 0);
  EXPECT_EQ(d.DestroyWindow(), 106);  // window 0 stays
  for (int i = 0; i < 4; ++i) EXPECT_EQ(d.CreateWindow(0, 0, 1, 1, 1, 1), 0) << i;
  EXPECT_EQ(d.CreateWindow(0, 0, 1, 1, 1, 1), 106);
}

TEST_F(DisplayTest, ScrollTextShiftsTheTextOrMovesOverAWiderWindow) {
  CLineDisplay d;
  OpenEnable(d);
  ASSERT_EQ(d.DisplayTextAt(0, 0, u"ABCDEF", 0), 0);
  ASSERT_EQ(d.DisplayTextAt(1, 0, u"GHIJ", 0), 0);
  ASSERT_EQ(d.ScrollText(1, 1), 0);  // up
  EXPECT_EQ(d.ScreenRows(), (std::vector<std::string>{"GHIJ                ", std::string(20, ' ')}));
  ASSERT_EQ(d.ScrollText(3, 2), 0);  // left
  EXPECT_EQ(d.ScreenRows()[0], "IJ                  ");
  ASSERT_EQ(d.ScrollText(4, 3), 0);  // right
  EXPECT_EQ(d.ScreenRows()[0], "   IJ               ");
  ASSERT_EQ(d.ScrollText(2, 5), 0);  // down past the window: blank
  EXPECT_EQ(d.ScreenRows()[0], std::string(20, ' '));

  ASSERT_EQ(d.CreateWindow(1, 0, 1, 10, 1, 20), 0);
  ASSERT_EQ(d.DisplayText(u"0123456789abcdefghij", 0), 0);
  EXPECT_EQ(d.ScreenRows()[1].substr(0, 10), "0123456789");
  ASSERT_EQ(d.ScrollText(3, 4), 0);
  EXPECT_EQ(d.ScreenRows()[1].substr(0, 10), "456789abcd");
  ASSERT_EQ(d.ScrollText(3, 100), 0);  // held to the window's edge
  EXPECT_EQ(d.ScreenRows()[1].substr(0, 10), "abcdefghij");
}

TEST_F(DisplayTest, PlacedMarqueeRunsThroughTheWindowAndRepeats) {
  CLineDisplay d;
  OpenEnable(d);
  ASSERT_EQ(d.CreateWindow(0, 0, 1, 10, 1, 30), 0);
  d.SetPropertyNumber(5014, 5);  // MarqueeType INIT: text goes to the window only
  ASSERT_EQ(d.GetPropertyNumber(6), 0);
  ASSERT_EQ(d.DisplayText(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", 0), 0);
  EXPECT_EQ(Since(), "");
  d.SetPropertyNumber(5017, 1);   // place
  d.SetPropertyNumber(5015, 20);  // unit wait
  d.SetPropertyNumber(5013, 100); // repeat wait
  d.SetPropertyNumber(5014, 7);
  EXPECT_EQ(d.GetPropertyNumber(6), 106);
  const auto start = Clock::now();
  d.SetPropertyNumber(5014, 3);  // left
  ASSERT_EQ(d.GetPropertyNumber(6), 0);
  ASSERT_TRUE(WaitUntil([&] { return d.ScreenRows()[0].substr(0, 10) == "UVWXYZ0123"; }));
  EXPECT_GE(MsSince(start), 19 * 20);  // twenty steps of 20 ms at least
  ASSERT_TRUE(WaitUntil([&] { return d.ScreenRows()[0].substr(0, 10) == "ABCDEFGHIJ"; }));
  EXPECT_NE(Since().find("ABCDEFGHIJ"), std::string::npos);
  EXPECT_NE(Since().find(At(0, 0) + "BCDEFGHIJK"), std::string::npos);  // the first step
  // NONE stops it and puts the window back at its start.
  d.SetPropertyNumber(5014, 0);
  EXPECT_EQ(d.ScreenRows()[0].substr(0, 10), "ABCDEFGHIJ");
  Mark();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Since(), "");
}

TEST_F(DisplayTest, WalkingMarqueeEntersFromTheEdge) {
  CLineDisplay d;
  OpenEnable(d, "QDX-420");
  ASSERT_EQ(d.CreateWindow(3, 10, 1, 10, 1, 10), 0);
  d.SetPropertyNumber(5014, 5);
  ASSERT_EQ(d.DisplayText(u"walk", 0), 0);
  d.SetPropertyNumber(5015, 10);
  d.SetPropertyNumber(5013, 60000);  // the end stays until the test has seen it
  d.SetPropertyNumber(5014, 3);      // left, walking (the default format)
  ASSERT_TRUE(WaitUntil([&] { return d.ScreenRows()[3].substr(10) == "walk      "; }));
  const std::string sent = Since();
  const size_t first = sent.find(At(3, 19) + "w");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(sent.find(At(3, 18) + "wa", first), std::string::npos);
  // The vertical one needs rows to walk through.
  d.SetPropertyNumber(5014, 1);
  EXPECT_EQ(d.GetPropertyNumber(6), 0);
  d.SetPropertyNumber(5014, 0);
  ASSERT_EQ(d.Close(), 0);  // with the worker busy or not: it ends
}

TEST_F(DisplayTest, TeletypeShowsOneCharacterAtATime) {
  CLineDisplay d;
  OpenEnable(d);
  d.SetPropertyNumber(5012, 30);
  ASSERT_EQ(d.GetPropertyNumber(6), 0);
  const size_t writesBefore = fake().Writes().size();
  const auto start = Clock::now();
  ASSERT_EQ(d.DisplayText(u"abcdef", 0), 0);
  ASSERT_TRUE(WaitUntil([&] { return d.ScreenRows()[0].substr(0, 6) == "abcdef"; }));
  EXPECT_GE(MsSince(start), 5 * 30);
  EXPECT_GE(fake().Writes().size() - writesBefore, 6u);
  EXPECT_EQ(d.GetPropertyNumber(5004), 6);
  // A later call finishes what is still coming at once.
  d.SetPropertyNumber(5012, 5000);
  ASSERT_EQ(d.DisplayTextAt(1, 0, u"slow text", 0), 0);
  ASSERT_EQ(d.DisplayTextAt(0, 10, u"!", 0), 0);
  EXPECT_EQ(d.ScreenRows()[1].substr(0, 9), "slow text");
  EXPECT_TRUE(WaitUntil([&] { return d.ScreenRows()[0].substr(10, 1) == "!"; }));
  d.SetPropertyNumber(5012, -1);
  EXPECT_EQ(d.GetPropertyNumber(6), 106);
  // Without CursorUpdate the cursor goes back to where the text began.
  d.SetPropertyNumber(5012, 10);
  d.SetPropertyNumber(5006, 0);
  ASSERT_EQ(d.DisplayTextAt(1, 12, u"xy", 0), 0);
  ASSERT_TRUE(WaitUntil([&] { return d.ScreenRows()[1].substr(12, 2) == "xy"; }));
  ASSERT_TRUE(WaitUntil([&] { return d.GetPropertyNumber(5004) == 12; }));
  d.SetPropertyNumber(5006, 1);
  d.SetPropertyNumber(5012, 5000);
  // Close with a long teletype pending returns at once.
  ASSERT_EQ(d.DisplayText(u"pending", 0), 0);
  const auto closing = Clock::now();
  ASSERT_EQ(d.Close(), 0);
  EXPECT_LT(MsSince(closing), 4000);
}

}  // namespace
}  // namespace display_test
