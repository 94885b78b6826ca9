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

namespace {

enum class Kind : uint8_t { Ascii, Page, EastAsian, Picture, Invisible };

// A character and the combining marks after it.
struct Cluster {
  size_t begin, end;
  Kind kind;
  PageMask pages;
  bool wide;
};

// How far ahead a page choice looks, in characters that need a page.
constexpr int kLookAhead = 64;

Kind KindOf(const UnicodeModel& m, std::u32string_view chars, PageMask pages) {
  if (chars.size() == 1 && chars[0] < 0x80) return Kind::Ascii;
  if (pages != 0) return Kind::Page;
  const auto all = [&](bool (*test)(char32_t)) { return std::all_of(chars.begin(), chars.end(), test); };
  if (m.utf8Mode && all([](char32_t c) { return IsEastAsian(c) || IsCombining(c); }) && IsEastAsian(chars[0]))
    return Kind::EastAsian;
  if (all(IsInvisible)) return Kind::Invisible;
  return Kind::Picture;
}

std::vector<Cluster> Clusters(const UnicodeModel& m, std::u32string_view text) {
  std::vector<Cluster> out;
  out.reserve(text.size());
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
  return out;
}

// The page among `pages` that serves the longest stretch from cluster i;
// the first in the model's order on a tie.
int BestPage(const std::vector<Cluster>& cs, size_t i, PageMask pages) {
  int best = -1, bestScore = -1;
  for (int p = 0; p < static_cast<int>(PageSet::kMaxPages); ++p) {
    const PageMask bit = PageMask{1} << p;
    if ((pages & bit) == 0) continue;
    int score = 0;
    for (size_t j = i; j < cs.size() && score < kLookAhead; ++j) {
      if (cs[j].kind != Kind::Page) continue;
      if ((cs[j].pages & bit) == 0) break;
      ++score;
    }
    if (score > bestScore) {
      best = p;
      bestScore = score;
    }
  }
  return best;
}

void MarksAfterTheirCharacter(std::u32string& visual);

class Encoder {
 public:
  Encoder(const UnicodeModel& m, const TextStyle& look, TextCursor& c, ByteSink& out)
      : m_(m), c_(c), out_(out) {
    const bool small = (look.style & STYLE_SMALL_FONT) != 0;
    const int32_t doubled = (look.style & STYLE_DOUBLE_WIDTH) ? 2 : 1;
    factor_ = std::max<int32_t>(doubled, (look.size >> 4) + 1);
    cell_ = std::max<int32_t>(1, m.charWidth[small ? 1 : 0]) * factor_;
    picture_.cellHeight = m.charHeight[small ? 1 : 0] > 0 ? m.charHeight[small ? 1 : 0] : kPictureRows;
    picture_.widthFactor = factor_;
    picture_.bold = (look.style & STYLE_BOLD) != 0;
    picture_.underline = (look.style & STYLE_UNDERLINE) != 0;
  }

  // One line's worth of text, without its line end.
  void Line(std::u32string_view logical) {
    std::u32string visual;
    std::u32string_view text = logical;
    if (std::any_of(text.begin(), text.end(), IsRightToLeft)) {
      const std::vector<Cluster> cs = Clusters(m_, text);
      if (std::any_of(cs.begin(), cs.end(), [](const Cluster& c) { return c.kind == Kind::Picture; })) {
        Picture(text);
        return;
      }
      visual = platform::VisualOrder(text);
      MarksAfterTheirCharacter(visual);
      text = visual;
    }
    const std::vector<Cluster> cs = Clusters(m_, text);
    for (size_t i = 0; i < cs.size(); ++i) {
      const Cluster& c = cs[i];
      const std::u32string_view chars = text.substr(c.begin, c.end - c.begin);
      switch (c.kind) {
        case Kind::Ascii:
          out_.PutByte(static_cast<uint8_t>(chars[0]));
          if (chars[0] >= 0x20) Advance(cell_);
          break;
        case Kind::Invisible:
          break;
        case Kind::Page:
        case Kind::EastAsian:
          Text(cs, i, chars);
          break;
        case Kind::Picture:
          i = PictureRun(cs, i, text);
          break;
      }
    }
  }

  void LineEnd(char32_t c) {
    out_.PutByte(static_cast<uint8_t>(c));
    c_.x = 0;
  }

 private:
  void Advance(int32_t dots) {
    c_.x = c_.x + dots > m_.lineWidthDots ? dots : c_.x + dots;
  }

  void Text(const std::vector<Cluster>& cs, size_t i, std::u32string_view chars) {
    const Cluster& c = cs[i];
    if (!c_.utf8 && c.kind == Kind::EastAsian) {
      out_.Put(cmd::kUtf8On);
      c_.utf8 = true;
    }
    if (c_.utf8) {
      std::string bytes;
      for (char32_t ch : chars) AppendUtf8(ch, bytes);
      out_.Put(bytes);
      Advance(c.wide ? 2 * cell_ : cell_);
      return;
    }
    int index = m_.pages.IndexOf(c_.page);
    if (index < 0 || (c.pages & (PageMask{1} << index)) == 0) {
      index = BestPage(cs, i, c.pages);
      c_.page = m_.pages.At(static_cast<size_t>(index)).escT;
      out_.Put(cmd::kCodeTable);
      out_.PutByte(static_cast<uint8_t>(c_.page));
    }
    for (char32_t ch : chars) out_.PutByte(m_.pages.ByteOn(static_cast<size_t>(index), ch));
    Advance(cell_);
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

  void Picture(std::u32string_view run) { SendPicture(run, picture_, m_.lineWidthDots, &c_.x, out_); }

  const UnicodeModel& m_;
  TextCursor& c_;
  ByteSink& out_;
  int32_t factor_ = 1;
  int32_t cell_ = 12;
  PictureLook picture_;
};

// Display order puts the marks of a right-to-left character before it;
// the printer draws a mark on the cell before, so they go back after it,
// in their own order.
void MarksAfterTheirCharacter(std::u32string& visual) {
  for (size_t i = 0; i < visual.size(); ++i) {
    if (!IsCombining(visual[i]) || !IsRightToLeft(visual[i])) continue;
    size_t j = i;
    while (j < visual.size() && IsCombining(visual[j])) ++j;
    if (j == visual.size()) break;
    std::reverse(visual.begin() + i, visual.begin() + j);
    std::rotate(visual.begin() + i, visual.begin() + j, visual.begin() + j + 1);
    i = j;
  }
}

bool IsLineEnd(char32_t c) { return c == '\n' || c == '\r'; }

}  // namespace

void EncodeText(const UnicodeModel& model, std::string_view utf8, const TextStyle& look, TextCursor& cursor,
                ByteSink& out) {
  const std::u32string text = DecodeUtf8(utf8);
  Encoder encoder(model, look, cursor, out);
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsLineEnd(text[i])) continue;
    encoder.Line(std::u32string_view(text).substr(start, i - start));
    if (i < text.size()) encoder.LineEnd(text[i]);
    start = i + 1;
  }
}

bool EndText(TextCursor& cursor, int page, ByteSink& out) {
  if (cursor.utf8) {
    out.Put(cmd::kUtf8Off);
    cursor.utf8 = false;
  }
  return cursor.page != page;
}

}  // namespace unicode
