// CharacterSet 997: a line with right-to-left text is ordered as a whole,
// also when its look changes in the middle (ESC|bC, ESC|uC, ESC|N ...).
// Its runs are gathered with their looks up to the line's end, the whole
// line goes into display order, and the pieces go out left to right, each
// after the style bytes that give it its look. What the sequences inside
// the line sent follows the pieces, in the order of the data, so the
// printer leaves the line in the state the data leaves it.
//
// A line ends at LF or CR, at the end of the data, at a malformed
// introducer and at every sequence but N, A, C and rvC: those that print or
// move paper (bitmaps, logos, embedded bytes, feeds, cuts) stand between
// lines, so the text around them is ordered on each side.
// Lines without right-to-left text, or without a sequence inside, are sent
// run by run as before.
#include <algorithm>
#include <vector>

#include "service/pipeline/printer_commands.h"
#include "service/pipeline/translation.h"
#include "service/pipeline/unicode/char_class.h"
#include "service/pipeline/unicode/unicode_text.h"
#include "service/pipeline/unicode/utf8.h"

namespace {

constexpr char kStayInLine[] = {'N', 'A', 'C', 'v'};

bool StaysInLine(char command) {
  return std::find(std::begin(kStayInLine), std::end(kStayInLine), command) != std::end(kStayInLine);
}

// No UTF-8 character below U+0580 starts with this byte or above it.
constexpr unsigned char kRightToLeftLead = 0xD6;

// Everything that decides how a character prints.
struct TextLook {
  uint8_t style = 0;
  int16_t size = 0;  // -1: not known yet (a change is pending)
  bool reversed = false;
  bool colour2 = false;
  uint8_t underline = 0;  // thickness sent by ESC -
};

TextLook WantedLook(const Translation& t) {
  return {t.wantedStyle, t.state.characterSize, t.reversed, t.colour2, t.underline};
}

TextLook PrinterLook(const Translation& t) {
  return {t.emittedStyle, static_cast<int16_t>(t.sizePending ? -1 : t.state.characterSize), t.reversed, t.colour2,
          t.underline};
}

// The end of the line that starts at `from`; *gather when it holds
// right-to-left text and a sequence.
size_t LineEnd(std::string_view data, size_t from, bool* gather) {
  bool rtl = false;
  bool sequence = false;
  size_t i = from;
  while (i < data.size()) {
    const char c = data[i];
    if (c == cmd::kLineFeed || c == cmd::kCarriageReturn) break;
    if (IsEscapeIntroducer(data, i)) {
      EscapeSequence seq;
      if (!ParseEscapeSequence(data, i, &seq) || !StaysInLine(seq.command)) break;
      sequence = true;
      i += seq.length;
    } else if (static_cast<unsigned char>(c) < kRightToLeftLead) {
      ++i;  // ASCII, a continuation byte, or a character below U+0580
    } else if (unicode::IsRightToLeft(unicode::NextCharacter(data, &i))) {
      rtl = true;
    }
  }
  *gather = rtl && sequence;
  return i;
}

// After the last line end in data[from, end), or from.
size_t LastLineStart(std::string_view data, size_t from, size_t end) {
  for (size_t i = end; i > from; --i) {
    if (data[i - 1] == cmd::kLineFeed || data[i - 1] == cmd::kCarriageReturn) return i;
  }
  return from;
}

// Brings the printer from *printer to `want`.
void Restyle(Translation& t, TextLook* printer, const TextLook& want) {
  // ESC ! without the underline bit ends the thickness ESC - set.
  if (want.underline != 0 && (want.underline != printer->underline || (printer->style & STYLE_UNDERLINE) == 0)) {
    t.out.Put(cmd::kUnderline);
    t.out.PutByte(want.underline);
  }
  if (want.reversed != printer->reversed) t.out.Put(want.reversed ? cmd::kReverseOn : cmd::kReverseOff);
  if (want.colour2 != printer->colour2) t.out.Put(ColourCommand(t.state.printerType, want.colour2));
  if (want.style != printer->style) {
    t.out.Put(cmd::kPrintMode);
    t.out.PutByte(want.style);
  }
  if (want.size != printer->size) {
    t.out.Put(cmd::kCharacterSize);
    t.out.PutByte(static_cast<uint8_t>(want.size));
  }
  *printer = want;
}

struct Run {
  size_t begin, end;
  TextLook look;
};

// From t.pos to lineEnd: sequences before the first text run as usual;
// after it they run with their output held back, and text runs are kept
// with the look they print in.
void GatherLine(Translation& t, size_t lineEnd) {
  TextLook printer;
  int page = t.cursor.page;
  bool normal = false;
  std::vector<Run> runs;
  StringSink held;
  while (t.pos < lineEnd) {
    if (IsEscapeIntroducer(t.data, t.pos)) {
      EscapeSequence seq;
      if (!ParseEscapeSequence(t.data, t.pos, &seq)) break;  // never: LineEnd parsed it
      t.pos += seq.length;
      normal = normal || (!runs.empty() && seq.command == 'N');
      ExecuteSequence(t, seq);
      continue;
    }
    if (runs.empty()) {
      printer = PrinterLook(t);
      page = t.cursor.page;
      t.out.Divert(&held);
    }
    const size_t end = std::min(NextIntroducer(t.data, t.pos + 1), lineEnd);
    runs.push_back({t.pos, end, WantedLook(t)});
    t.pos = end;
  }
  t.out.Divert(nullptr);
  if (runs.empty()) return;
  // The page ESC|N puts back is in force only once its bytes are sent.
  t.cursor.page = page;

  std::vector<std::string_view> texts;
  for (const Run& r : runs) texts.push_back(t.data.substr(r.begin, r.end - r.begin));
  std::vector<unicode::LinePiece> pieces;
  unicode::OrderLine(t.state.unicode, texts, &pieces);
  for (const unicode::LinePiece& piece : pieces) {
    const TextLook& look = runs[piece.run].look;
    Restyle(t, &printer, look);
    unicode::EncodePiece(t.state.unicode, piece, {look.style, static_cast<uint8_t>(look.size), look.reversed},
                         t.cursor, t.out);
  }
  t.out.Put(held.bytes());
  // The sequences' bytes left reverse, colour and underline as the data
  // does; ESC|N's prefix also the style, size and page.
  if (normal) {
    printer.style = t.state.fontByte;
    printer.size = 0;
    if (t.prefixSetsPage) t.cursor.page = t.state.codePage;
  }
  t.emittedStyle = printer.style;
  t.sizePending = printer.size != t.state.characterSize;
}

}  // namespace

void EmitTextRun(Translation& t) {
  const size_t end = NextIntroducer(t.data, t.pos + 1);
  if (!t.state.unicodeText || end == t.data.size()) {
    t.EmitText(end);
    return;
  }
  // Only the run's last line can go on past the sequence at its end.
  const size_t start = LastLineStart(t.data, t.pos, end);
  bool gather = false;
  if (start >= t.plainUntil) {
    const size_t lineEnd = LineEnd(t.data, start, &gather);
    if (gather) {
      if (start > t.pos) t.EmitText(start);
      GatherLine(t, lineEnd);
      return;
    }
    t.plainUntil = lineEnd;
  }
  t.EmitText(end);
}
