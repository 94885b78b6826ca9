#include "tools/vprinter/render/receipts.h"

#include <algorithm>
#include <cstdio>

#include "tools/vprinter/render/png.h"

namespace vprinter {

Receipts::Receipts(std::string outDir, int width) : outDir_(std::move(outDir)), width_(width) { reset(); }

void Receipts::reset() {
  paper_ = Bitmap(width_, 0);
  y_ = 0;
  carried_ = 0;
  inked_ = false;
  text_.clear();
}

void Receipts::feed(int dots) {
  if (dots <= 0) return;
  y_ += dots;
  if (y_ > kMaxReceiptRows) cut(false);
}

void Receipts::place(const Bitmap& b, int x, int dy) {
  if (b.empty()) return;
  int top = y_ + dy, need = std::min(top + b.h, kMaxReceiptRows + 512);
  if (need > paper_.h) {
    Bitmap grown(width_, std::max(need, paper_.h + paper_.h / 2));
    grown.blit(paper_, 0, 0);
    std::swap(paper_, grown);
  }
  paper_.blit(b, x, top);
  inked_ = true;
}

std::string Receipts::pathFor(int number) const {
  char name[32];
  std::snprintf(name, sizeof name, "receipt-%04d.png", number);
  return outDir_ + "/" + name;
}

Bitmap Receipts::snapshot(int extraRows) const {
  int rows = std::max({y_, paper_.usedHeight(), 1}) + extraRows;
  Bitmap b(width_, rows);
  b.blit(paper_, 0, 0);
  return b;
}

std::string Receipts::cut(bool partial, int aboveHead) {
  int at = aboveHead > 0 ? std::max(0, y_ - aboveHead) : std::max(y_, paper_.usedHeight());
  Bitmap b(width_, std::max(at, 1) + 12);
  b.blit(paper_, 0, 0);
  b.fill(0, at, width_, b.h - at, 0);
  // The cut: a dashed line across the paper; a partial cut leaves the middle.
  int y = b.h - 4, gap = partial ? width_ / 10 : 0;
  for (int x = 0; x < width_; x += 12) {
    if (gap && x + 8 > width_ / 2 - gap && x < width_ / 2 + gap) continue;
    b.fill(x, y, 8, 2, 1);
  }
  std::string path = pathFor(number_);
  bool ok = writePng(path, b);
  if (ok) lastPath_ = path;
  lastText_ = text_;
  ++number_;
  Bitmap rest(width_, std::max(paper_.usedHeight() - at, 0));
  rest.blit(paper_, 0, -at);
  int restY = y_ - at;
  reset();
  place(rest, 0, 0);
  inked_ = !rest.blank();
  y_ = carried_ = std::max(restY, 0);
  return ok ? path : std::string();
}

std::string Receipts::save() {
  if (!inProgress()) return lastPath_;
  std::string path = pathFor(number_);
  return writePng(path, snapshot(0)) ? path : std::string();
}

std::string Receipts::text() const { return text_.empty() ? lastText_ : text_; }

}  // namespace vprinter
