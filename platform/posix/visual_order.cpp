// Display order by FriBidi: levels, mirrored brackets, then the reordering.
#include <climits>
#include <numeric>

#include "platform/any/text_cell.h"
#include "platform/posix/bidi_levels.h"
#include "platform/text_layout.h"

namespace platform {

std::u32string VisualOrder(std::u32string_view logical, std::vector<uint32_t>* from) {
  std::u32string text = ScalarValues(logical);
  std::vector<FriBidiStrIndex> map(from != nullptr ? text.size() : 0);
  std::iota(map.begin(), map.end(), 0);
  if (from != nullptr) from->assign(map.begin(), map.end());
  BidiLine line;
  if (text.empty() || !ResolveBidi(text, &line)) return text;
  auto* chars = reinterpret_cast<FriBidiChar*>(text.data());
  const auto len = static_cast<FriBidiStrIndex>(text.size());
  fribidi_shape_mirroring(line.levels.data(), len, chars);
  // Marks stay where the reversal puts them, as Uniscribe leaves them.
  if (fribidi_reorder_line(0, line.types.data(), len, 0, line.base, line.levels.data(), chars,
                           from != nullptr ? map.data() : nullptr) == 0) {
    return ScalarValues(logical);
  }
  if (from != nullptr) from->assign(map.begin(), map.end());
  return text;
}

}  // namespace platform
