#include "service/pipeline/state_prefix.h"

#include <gtest/gtest.h>

#include "common/opos.h"
#include "pipeline_test_util.h"

namespace {

// Every optional setting present and waiting to be resent.
PrintState FullState() {
  PrintState s = QuietState();
  s.capRecColor = 1;
  s.codePage = 16;
  s.internationalSet = 3;
  s.diInternational = 1;
  s.capRecRotate180 = 1;
  s.rotation = opos::PTR_RP_ROTATE180;
  s.recLineChars = 56;
  s.resendFlags = RESEND_ALL;
  return s;
}

TEST(StatePrefix, NothingToResendGivesTheFixedSettings) {
  PrintState s = QuietState();
  EXPECT_EQ(HexOf(BuildStatePrefix(s)), "1B 3D 01 1B 61 00 1B 21 00");
  EXPECT_EQ(s.fontByte, 0);
}

TEST(StatePrefix, ResendsEverySettingInOrderOnceThenClearsTheBits) {
  PrintState s = FullState();
  EXPECT_EQ(HexOf(BuildStatePrefix(s)), "1B 3D 01 1B 61 00 1B 72 00 1B 74 10 1B 52 03 1B 7B 01 1B 21 01 1B 33 3C");
  EXPECT_EQ(s.resendFlags, 0);
  EXPECT_EQ(s.fontByte, 1);
  EXPECT_EQ(HexOf(BuildStatePrefix(s)), "1B 3D 01 1B 61 00 1B 72 00 1B 21 01");
}

TEST(StatePrefix, ColourCommandFollowsTheCommandClass) {
  PrintState s = QuietState();
  s.capRecColor = 1;
  s.printerType = 2;
  EXPECT_EQ(HexOf(BuildStatePrefix(s)), "1B 3D 01 1B 61 00 1D 28 4E 02 00 30 31 1B 21 00");
  s.printerType = 3;
  EXPECT_EQ(HexOf(BuildStatePrefix(s)), "1B 3D 01 1B 61 00 1B 72 00 1B 21 00");
}

TEST(StatePrefix, SettingsThatDoNotApplyKeepTheirResendBits) {
  PrintState s = QuietState();
  s.codePage = -1;        // no code table chosen
  s.internationalSet = 5;  // but the command is not enabled
  s.capRecRotate180 = 0;
  s.resendFlags = RESEND_ALL;
  EXPECT_EQ(HexOf(BuildStatePrefix(s)), "1B 3D 01 1B 61 00 1B 21 00 1B 33 3C");
  EXPECT_EQ(s.resendFlags, RESEND_CODE_PAGE | RESEND_INTERNATIONAL | RESEND_UPSIDE_DOWN);

  s.internationalSet = -1;
  s.diInternational = 1;
  BuildStatePrefix(s);
  EXPECT_TRUE(s.resendFlags & RESEND_INTERNATIONAL);
}

TEST(StatePrefix, UpsideDownIsOffForEveryRotationButRotate180) {
  PrintState s = QuietState();
  s.capRecRotate180 = 1;
  s.rotation = opos::PTR_RP_LEFT90;
  s.resendFlags = RESEND_UPSIDE_DOWN;
  EXPECT_EQ(HexOf(BuildStatePrefix(s)), "1B 3D 01 1B 61 00 1B 7B 00 1B 21 00");
}

TEST(StatePrefix, FontByteFollowsLineCharacters) {
  PrintState s = QuietState();
  s.recLineChars = 42;
  EXPECT_EQ(FontByteFor(s), 0);
  s.recLineChars = 43;
  EXPECT_EQ(FontByteFor(s), 1);
  BuildStatePrefix(s);
  EXPECT_EQ(s.fontByte, 1);
}

TEST(StatePrefix, LineSpacingSendsTheLowByteOfTwiceTheDots) {
  PrintState s = QuietState();
  s.lineSpacingDots = 200;  // 400 half dots
  s.resendFlags = RESEND_LINE_SPACING;
  EXPECT_EQ(HexOf(BuildStatePrefix(s)), "1B 3D 01 1B 61 00 1B 21 00 1B 33 90");
}

}  // namespace
