// Sequences that insert bytes as they are: B (stored bitmaps), E (embedded
// printer data) and L (stored logos).
#include <algorithm>

#include "common/opos.h"
#include "service/pipeline/image/bitmap_job.h"
#include "service/pipeline/translation.h"
#include "service/pipeline/unicode/utf8.h"

using opos::OPOS_E_FAILURE;

void ExecuteBitmap(Translation& t, const EscapeSequence& seq) {
  if (seq.modifier != 0 || (seq.number != 1 && seq.number != 2)) {
    t.Fail(OPOS_E_FAILURE);
    return;
  }
  const int32_t n = seq.number - 1;
  for (const std::string& part : t.state.bitmaps[n]) t.out.Put(part);
  // The spacing of this moment, not of the day the bitmap was stored.
  if (t.state.bitmapRestoresSpacing[n] && !t.state.bitmaps[n].empty())
    t.out.Put(LineSpacingRestore(t.state.printerType, t.state.lineSpacingDots));
}

namespace {

// Unicode data carries each embedded byte as one character (U+0000..U+00FF,
// as the application wrote it); a character beyond goes as its low byte.
void EmbeddedCharacters(Translation& t, const EscapeSequence& seq) {
  int32_t count = 0;
  for (; count < seq.number && t.pos < t.data.size(); ++count) {
    t.out.PutByte(static_cast<uint8_t>(unicode::NextCharacter(t.data, &t.pos) & 0xFF));
  }
  if (count < seq.number) t.Fail(OPOS_E_FAILURE);
}

}  // namespace

// ESC|#E: the next N bytes go out unchanged, however many there are. Only
// the bytes the data holds are copied; asking for more is a failure.
void ExecuteEmbedded(Translation& t, const EscapeSequence& seq) {
  if (seq.number <= 0) return;
  if (t.state.unicodeText) {
    EmbeddedCharacters(t, seq);
    return;
  }
  const size_t left = t.data.size() - t.pos;
  const size_t count = std::min(static_cast<size_t>(seq.number), left);
  t.out.Put(t.data.substr(t.pos, count));
  t.pos += count;
  if (count < static_cast<size_t>(seq.number)) t.Fail(OPOS_E_FAILURE);
}

void ExecuteLogo(Translation& t, const EscapeSequence& seq) {
  const PrintState& s = t.state;
  const bool top = seq.modifier == 't';
  if ((!top && seq.modifier != 'b') || seq.number != 0) {
    t.Fail(OPOS_E_FAILURE);
    return;
  }
  if (top && s.topLogoSet) t.out.Put(s.topLogo);
  if (!top && s.bottomLogoSet) t.out.Put(s.bottomLogo);
}
