// Sequences that change how text looks: N (normal), A (alignment),
// C (character style, size, colour) and rvC (reverse).
#include "common/opos.h"
#include "service/pipeline/printer_commands.h"
#include "service/pipeline/translation.h"

namespace {

using opos::OPOS_E_FAILURE;
using opos::OPOS_E_ILLEGAL;

bool InRange(int32_t n, int32_t lo, int32_t hi) { return n >= lo && n <= hi; }

// ESC|#C: 1 normal, 2 double width, 3 double height, 4 both.
void Size(Translation& t, const EscapeSequence& seq) {
  const int32_t n = seq.number;
  if (!InRange(n, 1, 4)) return;
  uint8_t style = t.wantedStyle & ~(STYLE_DOUBLE_HEIGHT | STYLE_DOUBLE_WIDTH);
  if (n == 2 || n == 4) style |= STYLE_DOUBLE_WIDTH;
  if (n == 3 || n == 4) style |= STYLE_DOUBLE_HEIGHT;
  t.wantedStyle = style;
}

void Bold(Translation& t, const EscapeSequence& seq) {
  if (seq.number == 0) t.wantedStyle |= STYLE_BOLD;
}

// The style bit is set whatever the thickness; only 1 and 2 dots exist.
void Underline(Translation& t, const EscapeSequence& seq) {
  t.wantedStyle |= STYLE_UNDERLINE;
  if (seq.number == 1 || seq.number == 2) {
    t.underline = static_cast<uint8_t>(seq.number);
    t.out.Put(cmd::kUnderline);
    t.out.PutByte(t.underline);
  } else {
    t.Fail(OPOS_E_ILLEGAL);
  }
}

// Multipliers 1..8; the width goes in the high nibble, the height in the low.
void ScaleNibble(Translation& t, const EscapeSequence& seq, int shift) {
  if (!InRange(seq.number, 1, 8)) {
    t.Fail(OPOS_E_ILLEGAL);
    return;
  }
  const uint8_t keep = shift == 4 ? 0x0F : 0xF0;
  t.state.characterSize = static_cast<uint8_t>((t.state.characterSize & keep) | ((seq.number - 1) << shift));
  t.sizePending = true;
}
void Width(Translation& t, const EscapeSequence& seq) { ScaleNibble(t, seq, 4); }
void Height(Translation& t, const EscapeSequence& seq) { ScaleNibble(t, seq, 0); }

void Colour(Translation& t, const EscapeSequence&) {
  if (t.state.capRecColor == 0) return;
  t.colour2 = true;
  t.out.Put(ColourCommand(t.state.printerType, true));
}

void Refuse(Translation& t, const EscapeSequence&) { t.Fail(OPOS_E_ILLEGAL); }

constexpr ModifierEntry kCharacterCommands[] = {
    {0, Size},      {'b', Bold},     {'u', Underline}, {'h', Width},  {'v', Height},
    {'r', Colour},  {'f', Refuse},   {'i', Refuse},    {'s', Refuse},
};

struct Alignment {
  char modifier;
  std::string_view bytes;
};
constexpr Alignment kAlignments[] = {{'c', cmd::kAlignCentre}, {'r', cmd::kAlignRight}};

}  // namespace

std::string_view ColourCommand(int32_t printerType, bool second) {
  if (printerType == 2) return second ? cmd::kCharacterColour2 : cmd::kCharacterColour1;
  return second ? cmd::kPrintColour2 : cmd::kPrintColour1;
}

// Back to the settings the call began with. The saved prefix puts the
// printer's style back to the font byte, so that is what it has now.
void ExecuteNormal(Translation& t, const EscapeSequence&) {
  t.out.Put(t.savedPrefix);
  if (t.prefixSetsPage) t.cursor.page = t.state.codePage;
  t.state.characterSize = 0;
  t.out.Put(cmd::kCharacterSizeNormal);
  t.out.Put(cmd::kReverseOff);
  t.reversed = false;
  t.colour2 = false;
  t.underline = 0;
  t.wantedStyle = t.state.fontByte;
  t.emittedStyle = t.state.fontByte;
}

// A number is not part of these sequences: the alignment is still sent.
void ExecuteAlign(Translation& t, const EscapeSequence& seq) {
  for (const Alignment& a : kAlignments) {
    if (a.modifier == seq.modifier) {
      t.out.Put(a.bytes);
      if (seq.number != 0) t.Fail(OPOS_E_FAILURE);
      return;
    }
  }
  t.Fail(OPOS_E_FAILURE);
}

void ExecuteCharacter(Translation& t, const EscapeSequence& seq) {
  const CommandHandler h = FindByModifier(kCharacterCommands, seq.modifier);
  if (h == nullptr) {
    t.Fail(OPOS_E_FAILURE);
    return;
  }
  h(t, seq);
}

// Reached as modifier 'r', command 'v'; the sequence is complete only with
// the C that follows.
void ExecuteReverse(Translation& t, const EscapeSequence& seq) {
  if (seq.modifier == 'r' && t.pos < t.data.size() && t.data[t.pos] == 'C') {
    ++t.pos;
    t.out.Put(cmd::kReverseOn);
    t.reversed = true;
    return;
  }
  t.Fail(OPOS_E_FAILURE);
}
