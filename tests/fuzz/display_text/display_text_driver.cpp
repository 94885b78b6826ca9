// The line display's text path end to end: characters mapped as DisplayText
// maps them, written into a window, drawn by the screen model and decoded
// by the virtual display. Control characters never reach the display, the
// window's cursor stays inside it, and the two screens agree cell by cell
// (byte and reverse), on the cursor where the window shows it, and on the
// screen's brightness (level 0 switches it off) and blinking.
#include "tests/fuzz/display_text/display_text_driver.h"

#include <algorithm>

#include "common/codepage/code_page.h"
#include "service/display/display_screen.h"
#include "service/display/display_text_map.h"
#include "service/pipeline/byte_sink.h"
#include "tools/vprinter/display/display_decoder.h"
#include "tools/vprinter/display/display_model.h"
#include "tools/vprinter/display/screen.h"

namespace {

constexpr int32_t kCharacterSets[] = {kDisplayAsciiCharacterSet, 437, 850, 852, 858, 866, 1252, 1253};
constexpr int kLevelPercent[] = {0, 20, 40, 60, 100};
constexpr int kBlinkUnitMs = 50;
constexpr int32_t kFirstBlinkUnits = 10;  // the screen model's until told

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_, at_ = 0;
};

struct Rig {
  Rig(const vprinter::DisplayModel& model, const Viewport& v, int32_t rows, int32_t columns)
      : window(v, rows, columns), screen(model.rows, model.columns), shown(model.rows, model.columns) {}

  // Sends what the encoder wrote to the virtual display.
  void Flush() {
    decoder.feed(bytes, [&](const vprinter::DisplayCommand& c) { shown.apply(c); });
    bytes.clear();
  }

  CDisplayWindow window;
  CDisplayScreen screen;
  int level = -1;  // -1: not set since the reset
  int32_t blinkUnits = kFirstBlinkUnits;
  std::string bytes;
  StringRefSink sink{&bytes};
  CDisplayEncoder out{sink};
  vprinter::DisplayDecoder decoder;
  vprinter::Screen shown;
};

Viewport ViewportFrom(Input& in, int rows, int columns) {
  Viewport v;
  v.row = in.next() % rows;
  v.column = in.next() % columns;
  v.height = 1 + in.next() % (rows - v.row);
  v.width = 1 + in.next() % (columns - v.column);
  return v;
}

std::string Compare(Rig& rig) {
  const vprinter::Screen& s = rig.shown;
  const Viewport& v = rig.window.View();
  for (int r = 0; r < s.rows(); ++r) {
    for (int c = 0; c < s.columns(); ++c) {
      const DisplayCell& mine = rig.screen.At(r, c);
      const vprinter::Cell& theirs = s.cell(r, c);
      if (mine.byte != theirs.byte || ((mine.attr & kCellReverse) != 0) != theirs.reverse)
        return "the display shows another cell at " + std::to_string(r) + "," + std::to_string(c);
      const bool inside = r >= v.row && r < v.row + v.height && c >= v.column && c < v.column + v.width;
      if (inside && mine != rig.window.Shown(r - v.row, c - v.column)) return "screen model differs from window";
    }
  }
  const int32_t row = rig.window.CursorRow() - rig.window.OffsetRow();
  const int32_t column = rig.window.CursorColumn() - rig.window.OffsetColumn();
  if (row >= 0 && row < v.height && column >= 0 && column < v.width &&
      (s.cursorRow() != v.row + row || s.cursorColumn() != v.column + column))
    return "the display's cursor is not the window's";
  return "";
}

std::string CompareLook(const Rig& rig) {
  const vprinter::Screen& s = rig.shown;
  if (rig.level >= 0 && s.brightness() != kLevelPercent[rig.level]) return "the display shows another brightness";
  if (!s.lit()) return rig.level == 0 ? "" : "the display is dark";
  const int blink = rig.screen.Blinking() ? std::clamp(rig.blinkUnits, 0, 254) * kBlinkUnitMs : 0;
  return s.blinkMs() == blink ? "" : "the display blinks otherwise";
}

std::string WriteText(Input& in, std::uint8_t op, bool map, int32_t set, Rig& rig) {
  std::u16string text(in.next() % 48, u' ');
  for (char16_t& c : text) c = static_cast<char16_t>(in.next() | (in.next() << 8));
  std::string bytes;
  const bool control = std::any_of(text.begin(), text.end(),
                                   [](char16_t c) { return (c < 0x20 && c != u'\r' && c != u'\n') || c == 0x7F; });
  if (MapDisplayText(text, map, set, codepage::Find(set), &bytes) == control) return "control text not refused";
  if (control) return "";
  for (char b : bytes)
    if ((static_cast<std::uint8_t>(b) < 0x20 && b != '\r' && b != '\n') || b == 0x7F) return "control byte mapped";
  rig.window.Write(bytes, static_cast<std::uint8_t>((op >> 3) & 3), (op & 0x20) != 0);
  return "";
}

std::string Step(Input& in, bool map, int32_t set, Rig& rig) {
  const std::uint8_t op = in.next();
  CDisplayWindow& w = rig.window;
  switch (op & 7) {
    case 0: return WriteText(in, op, map, set, rig);
    case 1: {
      const int32_t row = in.next() % (w.Rows() + 1), column = in.next() % (w.Columns() + 1);
      const bool inside = row < w.Rows() && column < w.Columns();
      if (w.SetCursor(row, column) != inside) return "cursor move judged wrongly";
      return "";
    }
    case 2: w.Scroll(1 + (op >> 3) % 4, 1 + in.next() % 40); return "";
    case 3: w.Clear(); return "";
    case 5:
      rig.level = in.next() % 5;
      rig.screen.SetBrightness(rig.level, rig.out);
      return "";
    case 6:
      rig.blinkUnits = in.next() % 64;
      rig.screen.SetBlinkUnits(rig.blinkUnits, rig.out);
      return "";
    default:
      rig.screen.Draw(w, rig.out);
      rig.Flush();
      return Compare(rig);
  }
}

}  // namespace

std::string RunDisplayTextInput(const std::uint8_t* data, std::size_t size) {
  if (size < 7) return "";
  Input in(data, size);
  const vprinter::DisplayModel& model = *vprinter::findDisplayModel((in.next() & 1) ? "QDX-420" : "QDX-200");
  const Viewport v = ViewportFrom(in, model.rows, model.columns);
  const std::uint8_t extra = in.next();
  const int32_t rows = v.height + ((extra & 0x80) ? extra % 32 : 0);
  const int32_t columns = v.width + ((extra & 0x80) ? 0 : extra % 64);
  const std::uint8_t mapping = in.next();
  const bool map = mapping & 1;
  const int32_t set = kCharacterSets[(mapping >> 1) % std::size(kCharacterSets)];

  Rig rig(model, v, rows, columns);
  rig.out.Initialize();
  rig.out.Mode(DisplayMode::kOverwrite);
  rig.out.ClearScreen();
  rig.screen.Reset();
  rig.out.Blink(0);
  for (int steps = 0; !in.empty() && steps < 256; ++steps) {
    std::string problem = Step(in, map, set, rig);
    rig.Flush();
    if (problem.empty()) problem = CompareLook(rig);
    if (problem.empty() && (rig.window.CursorRow() < 0 || rig.window.CursorRow() >= rig.window.Rows() ||
                            rig.window.CursorColumn() < 0 || rig.window.CursorColumn() >= rig.window.Columns()))
      problem = "cursor outside the window";
    if (!problem.empty()) return problem;
  }
  rig.screen.Draw(rig.window, rig.out);
  rig.Flush();
  const std::string problem = Compare(rig);
  return problem.empty() ? CompareLook(rig) : problem;
}
