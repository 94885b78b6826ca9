// CharacterSet 997: print text that arrives as UTF-8, encoded character by
// character the cheapest way the model allows:
//  1. the code page in force, when it holds the character;
//  2. another single-byte page of the model (ESC t n), chosen as the one
//     that serves the longest stretch of what follows, and kept while it
//     serves;
//  3. East Asian text in the model's UTF-8 mode (FS ( C), when it has one;
//     once on, the rest of the call goes as UTF-8, which also carries every
//     character a page holds;
//  4. or, on a model with a double-byte code, what that code holds and no
//     page does in Kanji mode (FS &), two bytes and two cells a character;
//     page text leaves it (FS .), ASCII between two double-byte characters
//     stays in it (printers read bytes below 80 there as ASCII);
//  5. anything else as a picture drawn by the platform (text_picture.h).
// A line with right-to-left text is put into display order first; if part
// of it must be a picture, the whole line is one picture (the platform's
// rendering orders and shapes it). A character with its combining marks is
// one unit: it goes to a page only if the page holds every mark.
// Each call starts on the CharacterSet's page and ends back on it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/codepage/double_byte.h"
#include "service/pipeline/byte_sink.h"
#include "service/pipeline/unicode/page_set.h"

namespace unicode {

// What the model offers, from its capability profile.
struct UnicodeModel {
  PageSet pages;
  bool utf8Mode = false;       // profile "MultiByteMode=UTF8"
  // The code of Kanji mode ("MultiByteMode=ShiftJIS", "GB18030", "Big5",
  // "KSC5601"); nullptr when the model has none.
  const codepage::DoubleByteTable* kanji = nullptr;
  bool kanjiSelectShiftJis = false;  // FS C 1 before the first FS & of a call
  int32_t lineWidthDots = 512;
  int32_t charWidth[2] = {12, 9};    // normal and small font, in dots
  int32_t charHeight[2] = {24, 17};
};

struct Cluster;

// The printer's condition as the call goes on, and room the encoder reuses
// from one run of the call to the next.
struct TextCursor {
  int page = 0;        // ESC t number in force
  bool utf8 = false;   // UTF-8 mode on
  bool kanji = false;  // Kanji mode on
  bool kanjiCodeSent = false;
  uint8_t kanjiStyle = 0;  // Kanji print mode in force
  int32_t x = 0;       // dots used on the current line

  std::string bytes;
  std::u32string text;
  std::vector<Cluster> clusters;

  TextCursor();
  ~TextCursor();
};

// How the text looks now: the style byte (ESC !) and size byte (GS !).
struct TextStyle {
  uint8_t style = 0;
  uint8_t size = 0;
  bool reversed = false;  // GS B 1: the printer inverts characters, not images
};

// Encodes one run of text (no escape sequences; line ends included).
void EncodeText(const UnicodeModel& model, std::string_view utf8, const TextStyle& look, TextCursor& cursor,
                ByteSink& out);

// Leaves UTF-8 and Kanji mode, and the Kanji print mode. True when the page
// in force is not `page`, which the caller then sets again.
bool EndText(TextCursor& cursor, int page, ByteSink& out);

// A piece of a line that mixes looks: characters of one run, side by side
// in the line as printed.
struct LinePiece {
  size_t run = 0;       // index into the runs given to OrderLine
  std::u32string text;  // display order; logical order when a picture
  bool picture = false; // drawn by the platform as a whole
};

// Puts a line given as runs of UTF-8 in logical order (no line ends, each
// run in its own look) into display order as one line, and cuts it into
// pieces of one run each, left to right. A line without right-to-left text
// keeps its order; one that needs a picture anywhere is drawn piece by
// piece, as a one-look line is drawn whole.
void OrderLine(const UnicodeModel& model, const std::vector<std::string_view>& runs, std::vector<LinePiece>* pieces);

// Encodes one piece made by OrderLine in `look`.
void EncodePiece(const UnicodeModel& model, const LinePiece& piece, const TextStyle& look, TextCursor& cursor,
                 ByteSink& out);

}  // namespace unicode
