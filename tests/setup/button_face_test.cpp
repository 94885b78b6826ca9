// The picture and caption colour a skinned button draws in each state.
#include "setup/skin/button_face.h"

#include <gtest/gtest.h>

using skin::FaceFor;

namespace {

TEST(ButtonFaceTest, MissingPicturesFallBackToTheNormalOne) {
  for (bool disabled : {false, true}) {
    for (bool pressed : {false, true}) EXPECT_EQ(FaceFor(disabled, pressed, 1).picture, 0);
  }
  EXPECT_EQ(FaceFor(true, false, 2).picture, 0);
  EXPECT_TRUE(FaceFor(true, false, 2).disabledText) << "the caption still shows the state";
}

TEST(ButtonFaceTest, ThreePicturesShowEachStateAndDisabledWins) {
  EXPECT_EQ(FaceFor(false, false, 3).picture, 0);
  EXPECT_EQ(FaceFor(false, true, 3).picture, 1);
  EXPECT_EQ(FaceFor(true, false, 3).picture, 2);
  EXPECT_EQ(FaceFor(true, true, 3).picture, 2);
  EXPECT_FALSE(FaceFor(false, true, 3).disabledText);
}

TEST(ButtonFaceTest, CaptionIsCentredUnlessBothCoordinatesAreSet) {
  EXPECT_TRUE(skin::CaptionCentred(-1, -1));
  EXPECT_TRUE(skin::CaptionCentred(20, -1));
  EXPECT_FALSE(skin::CaptionCentred(20, 6));
}

}  // namespace
