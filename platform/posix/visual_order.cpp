// Display order by FriBidi: levels, mirrored brackets, then the reordering.
#include <climits>

#include "platform/any/text_cell.h"
#include "platform/posix/bidi_levels.h"
#include "platform/text_layout.h"

namespace platform {

std::u32string VisualOrder(std::u32string_view logical) {
  std::u32string text = ScalarValues(logical);
  BidiLine line;
  if (text.empty() || !ResolveBidi(text, &line)) return text;
  auto* chars = reinterpret_cast<FriBidiChar*>(text.data());
  const auto len = static_cast<FriBidiStrIndex>(text.size());
  fribidi_shape_mirroring(line.levels.data(), len, chars);
  // Marks stay where the reversal puts them, as Uniscribe leaves them.
  if (fribidi_reorder_line(0, line.types.data(), len, 0, line.base, line.levels.data(), chars,
                           nullptr) == 0) {
    return ScalarValues(logical);
  }
  return text;
}

}  // namespace platform
