// Working state of one translation call, shared by the translator's loop
// and the command handlers of each family. Internal to service/pipeline.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "service/pipeline/byte_sink.h"
#include "service/pipeline/escape_sequence.h"
#include "service/pipeline/print_state.h"

// The call's output. While a line is gathered, what the handlers write is
// diverted and sent after the line's text.
class RoutedSink : public ByteSink {
 public:
  explicit RoutedSink(ByteSink& target) : main_(&target), target_(&target) {}
  void Append(const char* bytes, size_t count) override { target_->Append(bytes, count); }
  // nullptr: back to the call's output.
  void Divert(ByteSink* to) { target_ = to != nullptr ? to : main_; }

 private:
  ByteSink* main_;
  ByteSink* target_;
};

struct Translation {
  Translation(PrintState& s, ByteSink& o, std::string_view d) : state(s), out(o), data(d) {}

  PrintState& state;
  RoutedSink out;
  std::string_view data;  // up to the first 00 byte
  size_t pos = 0;         // next unread byte of data
  std::string savedPrefix;
  uint8_t wantedStyle = 0;   // style byte the next character needs
  uint8_t emittedStyle = 0;  // style byte the printer has now
  bool sizePending = false;
  bool copyNextPlain = false;  // the byte after this sequence prints as text
  bool prefixSetsPage = false;  // the saved prefix holds ESC t
  bool reversed = false;        // white on black since ESC|rvC
  bool colour2 = false;         // second colour since ESC|rC
  uint8_t underline = 0;        // thickness ESC|#uC sent, 0 none
  size_t plainUntil = 0;        // data before this needs no line gathering
  unicode::TextCursor cursor;   // CharacterSet 997 only
  int32_t result = 0;

  // Sends a style or size change that is wanted but not yet sent.
  void Flush();
  // Flushes and sends one byte of text.
  void EmitPlain(char c);
  // Flushes and sends data[pos..end) as text, then moves pos to end.
  void EmitText(size_t end);
  // Leaves a result code; the last one wins.
  void Fail(int32_t code) { result = code; }
  // The sequence is dropped and the byte after it printed as text.
  void FailAndCopyNext(int32_t code) {
    Fail(code);
    copyNextPlain = true;
  }
};

using CommandHandler = void (*)(Translation&, const EscapeSequence&);

// Runs the handler of a parsed sequence (t.pos already past it).
void ExecuteSequence(Translation& t, const EscapeSequence& seq);
// Position of the next ESC | at or after from, or the end of the data.
size_t NextIntroducer(std::string_view data, size_t from);
// Sends the text at t.pos up to the next escape sequence. Under
// CharacterSet 997 a line with right-to-left text and sequences inside it
// is gathered and sent as one line instead (line_order.cpp).
void EmitTextRun(Translation& t);
// The colour command of the printer's command class.
std::string_view ColourCommand(int32_t printerType, bool second);

// Handlers by command family (one file each).
void ExecuteNormal(Translation& t, const EscapeSequence& seq);     // N
void ExecuteAlign(Translation& t, const EscapeSequence& seq);      // A
void ExecuteCharacter(Translation& t, const EscapeSequence& seq);  // C
void ExecuteReverse(Translation& t, const EscapeSequence& seq);    // rvC
void ExecuteBitmap(Translation& t, const EscapeSequence& seq);     // B
void ExecuteEmbedded(Translation& t, const EscapeSequence& seq);   // E
void ExecuteLogo(Translation& t, const EscapeSequence& seq);       // L
void ExecuteFeed(Translation& t, const EscapeSequence& seq);       // F
void ExecuteCut(Translation& t, const EscapeSequence& seq);        // P

// Looks up a handler by modifier in a small table; nullptr when absent.
struct ModifierEntry {
  char modifier;
  CommandHandler handler;
};
template <size_t N>
CommandHandler FindByModifier(const ModifierEntry (&table)[N], char modifier) {
  for (const ModifierEntry& e : table) {
    if (e.modifier == modifier) return e.handler;
  }
  return nullptr;
}
