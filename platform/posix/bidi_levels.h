// The bidirectional algorithm's resolved levels of one line (FriBidi),
// shared by the display order and the drawn runs.
#pragma once

#include <fribidi.h>

#include <string>
#include <vector>

namespace platform {

struct BidiLine {
  FriBidiParType base = FRIBIDI_PAR_LTR;
  std::vector<FriBidiCharType> types;
  std::vector<FriBidiLevel> levels;  // after rule L1 (trailing blanks at paragraph level)
};

// Paragraph direction from the first strong character, left to right when
// there is none. False only when FriBidi fails (out of memory).
bool ResolveBidi(const std::u32string& text, BidiLine* line);

}  // namespace platform
