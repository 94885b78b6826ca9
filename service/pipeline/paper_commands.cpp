// Sequences that move or cut the paper: F (feed) and P (cut).
#include <algorithm>

#include "common/opos.h"
#include "service/pipeline/paper_feed.h"
#include "service/pipeline/printer_commands.h"
#include "service/pipeline/translation.h"

namespace {

using opos::OPOS_E_FAILURE;

// A profile value beyond this is not a paper path anyone builds; the limit
// keeps a bad value from growing the job without bound.
constexpr int32_t kMaxLinesToPaperCut = 255;

int32_t AtLeastOne(int32_t n) { return n == 0 ? 1 : n; }

}  // namespace

// ESC|#lF feeds lines, ESC|#uF a distance in MapMode units.
void ExecuteFeed(Translation& t, const EscapeSequence& seq) {
  const PrintState& s = t.state;
  const int32_t n = AtLeastOne(seq.number);
  if (seq.modifier == 'l') {
    EmitFeed(t.out, static_cast<int64_t>(n) * 2 * s.lineSpacingDots, s.lineSpacingDots);
  } else if (seq.modifier == 'u') {
    EmitFeed(t.out, s.units.feedUnitsToHalfDots.Convert(n, s.mapMode), s.lineSpacingDots);
  } else {
    t.FailAndCopyNext(OPOS_E_FAILURE);
  }
}

// ESC|#P cuts; ESC|#fP feeds to the cutter first. The percentage only gates.
void ExecuteCut(Translation& t, const EscapeSequence& seq) {
  const PrintState& s = t.state;
  const bool feedFirst = seq.modifier == 'f';
  if ((!feedFirst && seq.modifier != 0) || seq.number > 100 || s.capRecPapercut == 0) {
    t.FailAndCopyNext(OPOS_E_FAILURE);
    return;
  }
  if (feedFirst) {
    const int32_t lines = std::clamp(s.recLinesToPaperCut, 0, kMaxLinesToPaperCut);
    for (int32_t i = 0; i < lines; ++i) t.out.PutByte(cmd::kLineFeed);
  }
  t.out.Put(cmd::kPartialCut);
}
