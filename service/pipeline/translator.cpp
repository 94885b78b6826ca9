#include "service/pipeline/translator.h"

#include "common/opos.h"
#include "service/pipeline/printer_commands.h"
#include "service/pipeline/state_prefix.h"
#include "service/pipeline/translation.h"
#include "service/pipeline/unicode/utf8.h"

namespace {

void Refuse(Translation& t, const EscapeSequence&) { t.Fail(opos::OPOS_E_ILLEGAL); }

struct CommandEntry {
  char command;
  CommandHandler handler;
};

// Command letters; 'v' is reached as the second letter of "rvC".
constexpr CommandEntry kCommands[] = {
    {'N', ExecuteNormal}, {'A', ExecuteAlign},   {'C', ExecuteCharacter}, {'v', ExecuteReverse},
    {'B', ExecuteBitmap}, {'E', ExecuteEmbedded}, {'L', ExecuteLogo},      {'F', ExecuteFeed},
    {'P', ExecuteCut},    {'T', Refuse},
};

}  // namespace

void ExecuteSequence(Translation& t, const EscapeSequence& seq) {
  for (const CommandEntry& e : kCommands) {
    if (e.command == seq.command) {
      e.handler(t, seq);
      return;
    }
  }
  t.Fail(opos::OPOS_E_FAILURE);
}

namespace {

// One escape sequence starting at t.pos; a malformed introducer prints its
// ESC as text and the scan goes on at the bar.
void ScanSequence(Translation& t) {
  EscapeSequence seq;
  if (!ParseEscapeSequence(t.data, t.pos, &seq)) {
    t.Fail(opos::OPOS_E_FAILURE);
    t.EmitPlain(cmd::kEsc);
    t.pos += 1;
    return;
  }
  t.pos += seq.length;
  ExecuteSequence(t, seq);
  if (t.copyNextPlain) {
    // At the end of the data nothing follows, and nothing is copied.
    t.copyNextPlain = false;
    if (t.pos < t.data.size()) {
      // Unicode text: the whole character.
      size_t next = t.pos;
      if (t.state.unicodeText) unicode::NextCharacter(t.data, &next);
      else ++next;
      t.EmitText(next);
    }
  }
  // Paper that moved or an image that printed starts a fresh line.
  if (seq.command == 'F' || seq.command == 'P' || seq.command == 'B') t.cursor.x = 0;
}

std::string_view UpToFirstNul(std::string_view data) {
  const size_t end = data.find('\0');
  return end == std::string_view::npos ? data : data.substr(0, end);
}

}  // namespace

size_t NextIntroducer(std::string_view data, size_t from) {
  for (;;) {
    const size_t esc = data.find(cmd::kEsc, from);
    if (esc == std::string_view::npos) return data.size();
    if (IsEscapeIntroducer(data, esc)) return esc;
    from = esc + 1;
  }
}

void Translation::Flush() {
  if (wantedStyle != emittedStyle) {
    out.Put(cmd::kPrintMode);
    out.PutByte(wantedStyle);
    emittedStyle = wantedStyle;
  }
  if (sizePending) {
    out.Put(cmd::kCharacterSize);
    out.PutByte(state.characterSize);
    sizePending = false;
  }
}

// A run of ordinary text: one flush covers the whole run, since nothing in
// it changes the wanted style or size.
void Translation::EmitText(size_t end) {
  Flush();
  const std::string_view run = data.substr(pos, end - pos);
  if (state.unicodeText) {
    unicode::EncodeText(state.unicode, run, {emittedStyle, state.characterSize, reversed}, cursor, out);
  } else {
    out.Put(run);
  }
  pos = end;
}

void Translation::EmitPlain(char c) {
  Flush();
  out.Append(&c, 1);
}

int32_t TranslatePrintData(PrintState& state, std::string_view data, ByteSink& out) {
  Translation t(state, out, UpToFirstNul(data));
  t.prefixSetsPage = (state.resendFlags & RESEND_CODE_PAGE) != 0 && state.codePage >= 0;
  t.cursor.page = state.codePage;
  t.savedPrefix = BuildStatePrefix(state);
  out.Put(t.savedPrefix);
  t.wantedStyle = t.emittedStyle = state.fontByte;
  while (t.pos < t.data.size()) {
    if (IsEscapeIntroducer(t.data, t.pos)) {
      ScanSequence(t);
    } else {
      EmitTextRun(t);
    }
  }
  // Unicode text may have left the page of the CharacterSet.
  if (state.unicodeText && unicode::EndText(t.cursor, state.codePage, out)) state.resendFlags |= RESEND_CODE_PAGE;
  BuildStatePrefix(state, out);
  out.Put(cmd::kReverseOff);
  return t.result;
}

int32_t TranslatePrintData(PrintState& state, std::string_view data, std::string* out) {
  out->reserve(out->size() + data.size() + 64);
  StringRefSink sink(out);
  return TranslatePrintData(state, data, sink);
}
