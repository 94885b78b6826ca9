#include "service/pipeline/paper_feed.h"

#include <algorithm>

#include "service/pipeline/printer_commands.h"

namespace {

// Each command's count is one byte; a longer run (only with an unusually
// small line spacing) takes several.
void PutLines(ByteSink& out, int64_t lines) {
  while (lines > 0) {
    const int64_t step = std::min<int64_t>(lines, 255);
    out.Put(cmd::kFeedLines);
    out.PutByte(static_cast<uint8_t>(step));
    lines -= step;
  }
}

// A fine feed carries at most 255 half dots; longer ones take several.
void PutHalfDots(ByteSink& out, int64_t halfDots) {
  while (halfDots > 0) {
    const int64_t step = std::min<int64_t>(halfDots, 255);
    out.Put(cmd::kFeedHalfDots);
    out.PutByte(static_cast<uint8_t>(step));
    halfDots -= step;
  }
}

}  // namespace

void EmitFeed(ByteSink& out, int64_t halfDots, int32_t lineSpacingDots) {
  const int64_t j = std::min(halfDots, kMaxFeedHalfDots);
  if (j <= 0) return;
  const int64_t k = 2 * static_cast<int64_t>(lineSpacingDots);
  if (k <= 0) {
    // No line spacing known yet: no line unit to count in.
    PutHalfDots(out, j);
  } else if (j % k == 0) {
    PutLines(out, j / k);
  } else if (j <= 255) {
    PutHalfDots(out, j);
  } else {
    PutLines(out, j / k);
    PutHalfDots(out, j % k);
  }
}
