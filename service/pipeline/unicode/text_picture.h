// A run of text no font of the printer holds, drawn by the platform's text
// rendering and sent as 24-dot bit images (ESC * 33), which the printer
// places in the line like characters: alignment, wrapping and the text
// around them stay as they are.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/text_layout.h"
#include "service/pipeline/byte_sink.h"

namespace unicode {

// The bit image's height: a picture is never taller than one text line.
constexpr int32_t kPictureRows = 24;

struct PictureLook {
  int32_t cellHeight = kPictureRows;  // the font's height in dots, at most 24
  int32_t widthFactor = 1;            // double width and character size
  bool bold = false;
  bool underline = false;
  bool reversed = false;  // white on black, as reversed characters print
};

// Draws `run` (logical order) and sends it, bottom-aligned in the 24 rows.
// *x is the dots used on the line so far (lineWidth the line's): a picture
// that fits a line but not what is left of it starts a new line; a wider
// one is cut into pieces of a line each. A run the system cannot draw
// prints as one empty box per character. False only for an empty run.
bool SendPicture(std::u32string_view run, const PictureLook& look, int32_t lineWidth, int32_t* x, ByteSink& out);

// The stand-in for a run nothing could draw: `height` dots high, one empty
// box per character (as many as fit the widest picture).
platform::TextPicture MissingGlyphBoxes(std::u32string_view run, int32_t height);

}  // namespace unicode
