// The paper: the receipt being printed, which grows as it is fed, and the
// receipts already cut, each written to DIR/receipt-NNNN.png at its cut.
// Event loop thread only.
#pragma once

#include <string>

#include "tools/vprinter/render/bitmap.h"

namespace vprinter {

class Receipts {
 public:
  Receipts(std::string outDir, int width);

  int width() const { return width_; }
  const std::string& outDir() const { return outDir_; }
  int y() const { return y_; }
  void feed(int dots);  // moves the paper on (never back)
  // Puts ink at (x, y relative to the print line), growing the receipt.
  void place(const Bitmap& b, int x, int dy = 0);
  void addText(const std::string& utf8) { text_ += utf8; }

  // Marks the cut, writes the receipt and starts the next one. Returns the
  // path written, empty when writing failed. The cutter sits `aboveHead`
  // dots before the print line: paper not yet past it, ink and all, starts
  // the next receipt. With 0 the cut falls below everything printed.
  std::string cut(bool partial, int aboveHead = 0);
  // Writes the receipt in progress under the name its cut will give it;
  // returns that path, or the last one written when nothing is in progress.
  std::string save();

  int count() const { return number_ - 1; }  // receipts cut so far
  std::string lastPath() const { return lastPath_; }
  // Text of the receipt in progress, or of the last one when it is empty.
  std::string text() const;
  bool inProgress() const { return y_ > carried_ || !text_.empty() || inked_; }
  // The receipt in progress as it would be written now.
  Bitmap current() const { return snapshot(0); }

 private:
  std::string pathFor(int number) const;
  Bitmap snapshot(int extraRows) const;
  void reset();

  std::string outDir_;
  int width_;
  int y_ = 0;
  int carried_ = 0;  // blank paper left from the last cut
  bool inked_ = false;
  int number_ = 1;
  Bitmap paper_;
  std::string text_, lastText_, lastPath_;
};

// A receipt taller than this is cut off and continued on a new image, so
// a runaway feed cannot take unbounded memory.
constexpr int kMaxReceiptRows = 40000;

}  // namespace vprinter
