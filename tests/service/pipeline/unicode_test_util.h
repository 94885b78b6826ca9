// CharacterSet 997 in the pipeline tests: a state with a model's pages, and
// print output split into its bit images and the bytes around them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/codepage/double_byte.h"
#include "service/pipeline/print_state.h"

// QuietState with Unicode text on and the single-byte pages of the
// TavoPOS-R200 profile, in its order; utf8 adds the UTF-8 mode.
PrintState UnicodeState(bool utf8);

// UnicodeState(false) with the model's Kanji mode in `code`.
PrintState KanjiState(codepage::DoubleByte code);

struct SplitOutput {
  std::string around;          // every byte outside bit image payloads
  std::vector<int> widths;     // dots of each ESC * 33 image, in order
  std::vector<std::string> payloads;
};

// Finds the ESC * 33 images in printer bytes. A truncated image is left
// in `around`.
SplitOutput SplitPictures(std::string_view bytes);
