// Display order by Uniscribe: its items' levels and their layout; the
// characters of a right-to-left item reversed and mirrored.
#include "platform/any/text_cell.h"
#include "platform/text_layout.h"
#include "platform/win32/bidi_mirror.h"
#include "platform/win32/uniscribe_line.h"

namespace platform {

std::u32string VisualOrder(std::u32string_view logical, std::vector<uint32_t>* from) {
  const std::u32string text = ScalarValues(logical);
  std::vector<uint32_t> order;
  UniscribeLine line;
  if (text.empty() || !ItemizeLine(text, &line)) {
    if (from != nullptr) {
      from->resize(text.size());
      for (size_t i = 0; i < text.size(); ++i) (*from)[i] = static_cast<uint32_t>(i);
    }
    return text;
  }
  std::u32string out;
  out.reserve(text.size());
  order.reserve(text.size());
  for (int item : line.visual) {
    const size_t first = line.code_point[line.start(item)];
    const size_t last = line.code_point[line.end(item)];
    if (line.rtl(item)) {
      for (size_t i = last; i > first; --i) {
        out += Mirrored(text[i - 1]);
        order.push_back(static_cast<uint32_t>(i - 1));
      }
    } else {
      out.append(text, first, last - first);
      for (size_t i = first; i < last; ++i) order.push_back(static_cast<uint32_t>(i));
    }
  }
  if (from != nullptr) *from = std::move(order);
  return out;
}

}  // namespace platform
