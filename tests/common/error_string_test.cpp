#include "common/error_string.h"

#include <gtest/gtest.h>

TEST(MakeErrorString, NamesByCodeAndExtended) {
  EXPECT_EQ(MakeErrorString(0, 0), "Success (0/0)");
  EXPECT_EQ(MakeErrorString(111, 402), "Knife cut failure (111/402)");
  EXPECT_EQ(MakeErrorString(111, 401), "Unrecoverable failure (111/401)");
  EXPECT_EQ(MakeErrorString(111, 410), "Failure (111/410)");
  EXPECT_EQ(MakeErrorString(114, 201), "Cover Open (114/201)");
  EXPECT_EQ(MakeErrorString(114, 213), "Head Cleaning (114/213)");
  EXPECT_EQ(MakeErrorString(114, 0), "Extended Error (114/0)");
  EXPECT_EQ(MakeErrorString(999, 0), "Unknown error value (999/0)");
  EXPECT_EQ(MakeErrorString(-1, -7), "Unknown error value (-1/-7)");
}
