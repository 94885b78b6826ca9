// Which picture of a skinned button's strip is drawn, and in which text
// colour, for the button's state and the number of pictures loaded.
#pragma once

namespace skin {

struct ButtonFace {
  int picture;        // 0 normal, 1 pressed, 2 disabled
  bool disabledText;  // the caption takes the disabled colour
};

// Disabled wins over pressed; a missing picture falls back to the normal one.
constexpr ButtonFace FaceFor(bool disabled, bool pressed, int pictureCount) {
  if (disabled) return {pictureCount >= 3 ? 2 : 0, true};
  if (pressed) return {pictureCount >= 2 ? 1 : 0, false};
  return {0, false};
}

// The caption is placed at its origin only when both coordinates are set.
constexpr bool CaptionCentred(int x, int y) { return x == -1 || y == -1; }

}  // namespace skin
