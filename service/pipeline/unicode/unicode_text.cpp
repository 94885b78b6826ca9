#include "service/pipeline/unicode/unicode_text.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text_layout.h"
#include "service/pipeline/printer_commands.h"
#include "service/pipeline/unicode/char_class.h"
#include "service/pipeline/unicode/text_picture.h"
#include "service/pipeline/unicode/utf8.h"

namespace unicode {

enum class Kind : uint8_t { Ascii, Page, EastAsian, Kanji, Picture, Invisible };

// A character and the combining marks after it.
struct Cluster {
  size_t begin, end;
  Kind kind;
  PageMask pages;
  bool wide;
};

TextCursor::TextCursor() = default;
TextCursor::~TextCursor() = default;

namespace {

// How far ahead a page choice looks, in characters that need a page.
constexpr int kLookAhead = 64;

// The style byte's bits that double-byte characters take from their own
// print mode.
constexpr struct {
  uint8_t style, kanji;
} kKanjiStyleBits[] = {
    {STYLE_DOUBLE_WIDTH, KANJI_DOUBLE_WIDTH},
    {STYLE_DOUBLE_HEIGHT, KANJI_DOUBLE_HEIGHT},
    {STYLE_UNDERLINE, KANJI_UNDERLINE},
};

Kind KindOf(const UnicodeModel& m, std::u32string_view chars, PageMask pages) {
  if (chars.size() == 1 && chars[0] < 0x80) return Kind::Ascii;
  if (pages != 0) return Kind::Page;
  const auto all = [&](bool (*test)(char32_t)) { return std::all_of(chars.begin(), chars.end(), test); };
  if (m.utf8Mode && all([](char32_t c) { return IsEastAsian(c) || IsCombining(c); }) && IsEastAsian(chars[0]))
    return Kind::EastAsian;
  char code[4];
  if (m.kanji != nullptr &&
      std::all_of(chars.begin(), chars.end(), [&](char32_t c) { return codepage::CodeBytes(*m.kanji, c, code) > 0; }))
    return Kind::Kanji;
  if (all(IsInvisible)) return Kind::Invisible;
  return Kind::Picture;
}

void Clusters(const UnicodeModel& m, std::u32string_view text, std::vector<Cluster>& out) {
  out.clear();
  for (size_t i = 0; i < text.size();) {
    size_t end = i + 1;
    PageMask pages = m.pages.PagesOf(text[i]);
    // ASCII control bytes take no marks: they are commands.
    if (text[i] >= 0x20) {
      while (end < text.size() && IsCombining(text[end])) pages &= m.pages.PagesOf(text[end++]);
    }
    const std::u32string_view chars = text.substr(i, end - i);
    out.push_back({i, end, KindOf(m, chars, pages), pages, IsWide(text[i])});
    i = end;
  }
}

// The page among `pages` that serves the longest stretch from cluster i;
// the first in the model's order on a tie. All candidates are followed at
// once: those still serving when the next character leaves none are the
// longest.
int BestPage(const std::vector<Cluster>& cs, size_t i, PageMask pages) {
  PageMask alive = pages;
  int seen = 0;
  for (size_t j = i + 1; j < cs.size() && seen < kLookAhead; ++j) {
    if (cs[j].kind != Kind::Page) continue;
    const PageMask next = alive & cs[j].pages;
    if (next == 0) break;
    alive = next;
    ++seen;
  }
  int index = 0;
  while ((alive & (PageMask{1} << index)) == 0) ++index;
  return index;
}

void MarksAfterTheirCharacter(std::u32string& visual, std::vector<uint32_t>* from);

class Encoder {
 public:
  // bytes and clusters: scratch space the caller keeps between calls.
  Encoder(const UnicodeModel& m, const TextStyle& look, TextCursor& c, ByteSink& out, std::string& bytes,
          std::vector<Cluster>& clusters)
      : m_(m), c_(c), out_(out), bytes_(bytes), clusters_(clusters) {
    bytes_.clear();
    pageIndex_ = m.pages.IndexOf(c.page);
    const bool small = (look.style & STYLE_SMALL_FONT) != 0;
    const int32_t doubled = (look.style & STYLE_DOUBLE_WIDTH) ? 2 : 1;
    factor_ = std::max<int32_t>(doubled, (look.size >> 4) + 1);
    cell_ = std::max<int32_t>(1, m.charWidth[small ? 1 : 0]) * factor_;
    kanjiCell_ = 2 * std::max<int32_t>(1, m.charWidth[0]) * factor_;
    picture_.cellHeight = m.charHeight[small ? 1 : 0] > 0 ? m.charHeight[small ? 1 : 0] : kPictureRows;
    picture_.widthFactor = factor_;
    picture_.bold = (look.style & STYLE_BOLD) != 0;
    picture_.underline = (look.style & STYLE_UNDERLINE) != 0;
    picture_.reversed = look.reversed;
    for (const auto& bit : kKanjiStyleBits) {
      if (look.style & bit.style) kanjiStyle_ |= bit.kanji;
    }
  }

  ~Encoder() { Send(); }

  // One line's worth of text, without its line end; `ordered` when it is in
  // display order already.
  void Line(std::u32string_view logical, bool ordered = false) {
    std::u32string visual;
    std::u32string_view text = logical;
    std::vector<Cluster>& cs = clusters_;
    if (!ordered && std::any_of(text.begin(), text.end(), IsRightToLeft)) {
      Clusters(m_, text, cs);
      if (std::any_of(cs.begin(), cs.end(), [](const Cluster& c) { return c.kind == Kind::Picture; })) {
        Picture(text);
        return;
      }
      visual = platform::VisualOrder(text);
      MarksAfterTheirCharacter(visual, nullptr);
      text = visual;
    }
    Clusters(m_, text, cs);
    for (size_t i = 0; i < cs.size(); ++i) {
      const Cluster& c = cs[i];
      const std::u32string_view chars = text.substr(c.begin, c.end - c.begin);
      switch (c.kind) {
        case Kind::Ascii:
          if (c_.kanji) KanjiBeforeAscii(cs, i);
          bytes_ += static_cast<char>(chars[0]);
          if (chars[0] >= 0x20) Advance(cell_);
          break;
        case Kind::Invisible:
          break;
        case Kind::Page:
        case Kind::EastAsian:
        case Kind::Kanji:
          Text(cs, i, chars);
          break;
        case Kind::Picture:
          i = PictureRun(cs, i, text);
          break;
      }
    }
  }

  void LineEnd(char32_t c) {
    bytes_ += static_cast<char>(c);
    c_.x = 0;
    asciiInKanjiUntil_ = 0;
  }

  // A run drawn as one picture.
  void Drawn(std::u32string_view run) { Picture(run); }

  // A run of ASCII: as it is.
  void Ascii(std::string_view run) {
    LeaveKanji();
    bytes_ += run;
    for (char ch : run) {
      if (ch == '\n' || ch == '\r') c_.x = 0;
      else if (static_cast<unsigned char>(ch) >= 0x20) Advance(cell_);
    }
  }

 private:
  // The bytes gathered so far go out.
  void Send() {
    out_.Put(bytes_);
    bytes_.clear();
  }

  void Advance(int32_t dots) {
    c_.x = c_.x + dots > m_.lineWidthDots ? dots : c_.x + dots;
  }

  void Text(const std::vector<Cluster>& cs, size_t i, std::u32string_view chars) {
    const Cluster& c = cs[i];
    if (!c_.utf8 && c.kind == Kind::EastAsian) {
      bytes_ += cmd::kUtf8On;
      c_.utf8 = true;
    }
    if (c_.utf8) {
      for (char32_t ch : chars) AppendUtf8(ch, bytes_);
      Advance(c.wide ? 2 * cell_ : cell_);
      return;
    }
    if (c.kind == Kind::Kanji) {
      Kanji(chars);
      return;
    }
    LeaveKanji();
    if (pageIndex_ < 0 || (c.pages & (PageMask{1} << pageIndex_)) == 0) {
      pageIndex_ = BestPage(cs, i, c.pages);
      c_.page = m_.pages.At(static_cast<size_t>(pageIndex_)).escT;
      bytes_ += cmd::kCodeTable;
      bytes_ += static_cast<char>(c_.page);
    }
    for (char32_t ch : chars) bytes_ += static_cast<char>(m_.pages.ByteOn(static_cast<size_t>(pageIndex_), ch));
    Advance(cell_);
  }

  // Double-byte characters: the code system once a call, Kanji mode on,
  // its print mode as the style byte's; a full-width cell each.
  void Kanji(std::u32string_view chars) {
    if (m_.kanjiSelectShiftJis && !c_.kanjiCodeSent) {
      bytes_ += cmd::kKanjiShiftJis;
      c_.kanjiCodeSent = true;
    }
    if (!c_.kanji) {
      bytes_ += cmd::kKanjiOn;
      c_.kanji = true;
    }
    if (c_.kanjiStyle != kanjiStyle_) {
      bytes_ += cmd::kKanjiPrintMode;
      bytes_ += static_cast<char>(kanjiStyle_);
      c_.kanjiStyle = kanjiStyle_;
    }
    char code[4];
    for (char32_t ch : chars) bytes_.append(code, static_cast<size_t>(codepage::CodeBytes(*m_.kanji, ch, code)));
    Advance(kanjiCell_);
  }

  void LeaveKanji() {
    if (!c_.kanji) return;
    bytes_ += cmd::kKanjiOff;
    c_.kanji = false;
  }

  // ASCII in Kanji mode stays there when a double-byte character follows
  // on the line; otherwise the single-byte text leaves it.
  void KanjiBeforeAscii(const std::vector<Cluster>& cs, size_t i) {
    if (i < asciiInKanjiUntil_) return;
    size_t j = i;
    while (j < cs.size() && (cs[j].kind == Kind::Ascii || cs[j].kind == Kind::Invisible)) ++j;
    if (j < cs.size() && cs[j].kind == Kind::Kanji) {
      asciiInKanjiUntil_ = j;
    } else {
      LeaveKanji();
    }
  }

  // Clusters from i that are pictures, with the spaces between them; returns
  // the last one taken.
  size_t PictureRun(const std::vector<Cluster>& cs, size_t i, std::u32string_view text) {
    size_t last = i;
    for (size_t j = i + 1; j < cs.size(); ++j) {
      if (cs[j].kind == Kind::Picture) {
        last = j;
      } else if (!(cs[j].kind == Kind::Ascii && text[cs[j].begin] == ' ')) {
        break;
      }
    }
    Picture(text.substr(cs[i].begin, cs[last].end - cs[i].begin));
    return last;
  }

  void Picture(std::u32string_view run) {
    LeaveKanji();
    Send();
    SendPicture(run, picture_, m_.lineWidthDots, &c_.x, out_);
  }

  const UnicodeModel& m_;
  TextCursor& c_;
  ByteSink& out_;
  int32_t factor_ = 1;
  int32_t cell_ = 12;
  PictureLook picture_;
  int pageIndex_ = -1;  // of c_.page in the model, -1 when it has none
  int32_t kanjiCell_ = 24;  // the Kanji font is twice the normal one's width in every font
  uint8_t kanjiStyle_ = 0;
  size_t asciiInKanjiUntil_ = 0;  // cluster index on the current line
  std::string& bytes_;
  std::vector<Cluster>& clusters_;
};

// Display order puts the marks of a right-to-left character before it;
// the printer draws a mark on the cell before, so they go back after it,
// in their own order. `from` (logical positions) moves along.
void MarksAfterTheirCharacter(std::u32string& visual, std::vector<uint32_t>* from) {
  const auto move = [](auto& v, size_t i, size_t j) {
    std::reverse(v.begin() + i, v.begin() + j);
    std::rotate(v.begin() + i, v.begin() + j, v.begin() + j + 1);
  };
  for (size_t i = 0; i < visual.size(); ++i) {
    if (!IsCombining(visual[i]) || !IsRightToLeft(visual[i])) continue;
    size_t j = i;
    while (j < visual.size() && IsCombining(visual[j])) ++j;
    if (j == visual.size()) break;
    move(visual, i, j);
    if (from != nullptr) move(*from, i, j);
    i = j;
  }
}

bool IsLineEnd(char32_t c) { return c == '\n' || c == '\r'; }

}  // namespace

void EncodeText(const UnicodeModel& model, std::string_view utf8, const TextStyle& look, TextCursor& cursor,
                ByteSink& out) {
  // The cursor's room, so a receipt's many runs allocate once.
  Encoder encoder(model, look, cursor, out, cursor.bytes, cursor.clusters);
  std::u32string& text = cursor.text;
  if (std::all_of(utf8.begin(), utf8.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; })) {
    encoder.Ascii(utf8);
    return;
  }
  text.clear();
  for (size_t pos = 0; pos < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[pos]);
    if (b < 0x80) {
      text += b;
      ++pos;
    } else {
      text += NextCharacter(utf8, &pos);
    }
  }
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsLineEnd(text[i])) continue;
    encoder.Line(std::u32string_view(text).substr(start, i - start));
    if (i < text.size()) encoder.LineEnd(text[i]);
    start = i + 1;
  }
}

void OrderLine(const UnicodeModel& model, const std::vector<std::string_view>& runs, std::vector<LinePiece>* pieces) {
  std::u32string text;
  std::vector<uint32_t> runOf;
  for (size_t r = 0; r < runs.size(); ++r) {
    for (size_t pos = 0; pos < runs[r].size();) {
      text += NextCharacter(runs[r], &pos);
      runOf.push_back(static_cast<uint32_t>(r));
    }
  }
  pieces->clear();
  std::vector<uint32_t> from(text.size());
  for (size_t i = 0; i < from.size(); ++i) from[i] = static_cast<uint32_t>(i);
  std::u32string visual = text;
  bool picture = false;
  if (std::any_of(text.begin(), text.end(), IsRightToLeft)) {
    std::vector<Cluster> cs;
    Clusters(model, text, cs);
    picture = std::any_of(cs.begin(), cs.end(), [](const Cluster& c) { return c.kind == Kind::Picture; });
    visual = platform::VisualOrder(text, &from);
    if (from.size() != text.size()) return;  // never: the platform keeps every character
    if (!picture) MarksAfterTheirCharacter(visual, &from);
  }
  for (size_t i = 0; i < visual.size();) {
    LinePiece piece;
    piece.run = runOf[from[i]];
    piece.picture = picture;
    size_t j = i;
    while (j < visual.size() && runOf[from[j]] == piece.run) ++j;
    if (picture) {
      // The platform orders and shapes what it draws: the piece goes in
      // logical order.
      std::vector<uint32_t> logical(from.begin() + i, from.begin() + j);
      std::sort(logical.begin(), logical.end());
      for (uint32_t k : logical) piece.text += text[k];
    } else {
      piece.text = visual.substr(i, j - i);
    }
    pieces->push_back(std::move(piece));
    i = j;
  }
}

void EncodePiece(const UnicodeModel& model, const LinePiece& piece, const TextStyle& look, TextCursor& cursor,
                 ByteSink& out) {
  Encoder encoder(model, look, cursor, out, cursor.bytes, cursor.clusters);
  if (piece.picture) encoder.Drawn(piece.text);
  else encoder.Line(piece.text, true);
}

bool EndText(TextCursor& cursor, int page, ByteSink& out) {
  if (cursor.utf8) {
    out.Put(cmd::kUtf8Off);
    cursor.utf8 = false;
  }
  if (cursor.kanjiStyle != 0) {
    out.Put(cmd::kKanjiPrintMode);
    out.PutByte(0);
    cursor.kanjiStyle = 0;
  }
  if (cursor.kanji) {
    out.Put(cmd::kKanjiOff);
    cursor.kanji = false;
  }
  return cursor.page != page;
}

}  // namespace unicode
