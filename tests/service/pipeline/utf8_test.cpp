// UTF-8 between the automation layer and the pipeline under CharacterSet 997.
#include <gtest/gtest.h>

#include "service/pipeline/unicode/utf8.h"

namespace {

using unicode::DecodeUtf8;
using unicode::Utf8FromUtf16;

TEST(Utf8, SurrogatePairsBecomeOneCharacterAndLoneOnesTheReplacement) {
  EXPECT_EQ(Utf8FromUtf16(u"a\u00E9\u20AC\U0001F600"), u8"a\u00E9\u20AC\U0001F600");
  EXPECT_EQ(Utf8FromUtf16(std::u16string{u'x', 0xD800, u'y'}), u8"x\uFFFDy");
  EXPECT_EQ(Utf8FromUtf16(std::u16string{0xDC00, 0xD83D}), u8"\uFFFD\uFFFD");
  // Escape sequences are ASCII and stay as they were.
  EXPECT_EQ(Utf8FromUtf16(u"\x1B|bC\x1B|2E"), "\x1B|bC\x1B|2E");
}

TEST(Utf8, IllFormedBytesGiveOneReplacementPerBadPart) {
  EXPECT_EQ(DecodeUtf8(u8"\u0416\U0001F600"), U"\u0416\U0001F600");
  EXPECT_EQ(DecodeUtf8("\xC3"), U"\uFFFD");                  // cut short
  EXPECT_EQ(DecodeUtf8("\xE2\x82" "A"), U"\uFFFD" "A");       // the A is kept
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");         // overlong
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate
  EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), U"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
  EXPECT_EQ(DecodeUtf8("\xFF\x80"), U"\uFFFD\uFFFD");
}

}  // namespace
