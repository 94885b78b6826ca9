// Page mode: lines are laid out on a page canvas in the chosen print
// direction and the page goes onto the paper when it is printed.
#include <algorithm>

#include "tools/vprinter/render/renderer.h"

namespace vprinter {
namespace {

int argAt(const Command& c, std::size_t i) { return i < c.args.size() ? c.args[i] : 0; }
// Default page area height when none is set, in dots.
constexpr int kDefaultPageHeight = 1662;

}  // namespace

void Renderer::enterPage() {
  if (page_.w <= 0) {
    page_.x = page_.y = 0;
    page_.w = paper_.width();
    page_.h = kDefaultPageHeight;
  }
  page_.active = true;
  page_.canvas = Bitmap(page_.w, page_.h);
  page_.cursor = 0;
  line_.clear();
  x_ = 0;
}

void Renderer::printPage(bool keep) {
  if (!line_.empty()) printLine(0);
  Bitmap canvas = page_.canvas;
  int used = canvas.usedHeight();
  if (used > 0) {
    Bitmap cropped(canvas.w, used);
    cropped.blit(canvas, 0, 0);
    paper_.place(cropped, page_.x);
    paper_.feed(used);
  }
  if (!keep) {
    page_.canvas = Bitmap(page_.w, page_.h);
    page_.cursor = 0;
  }
}

std::string Renderer::pageCommand(const Command& c) {
  switch (c.op) {
    case Op::PageMode:
      if (!line_.empty()) printLine(lineSpacing_);
      enterPage();
      break;
    case Op::PageDirection: page_.direction = (argAt(c, 0) & 3); break;
    case Op::PageArea: {
      auto word = [&](int i) { return argAt(c, i) | (argAt(c, i + 1) << 8); };
      int x = std::min(word(0), paper_.width() - 1), w = word(4), h = word(6);
      page_.x = x;
      page_.y = word(2);
      page_.w = std::clamp(w, 1, paper_.width() - x);
      page_.h = std::clamp(h, 1, 4 * kDefaultPageHeight);
      if (page_.active) enterPage();
      break;
    }
    case Op::PagePrint:
      if (!page_.active) return "ignored in standard mode";
      printPage(true);
      break;
    case Op::FormFeed:
      if (!page_.active) return "ignored in standard mode";
      printPage(false);
      page_.active = false;
      break;
    case Op::StandardMode:
      page_.active = false;
      line_.clear();
      x_ = 0;
      break;
    case Op::Cancel:
      if (page_.active) enterPage();
      break;
    default: break;
  }
  return "";
}

}  // namespace vprinter
