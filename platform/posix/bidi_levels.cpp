#include "platform/posix/bidi_levels.h"

#include <climits>

namespace platform {

bool ResolveBidi(const std::u32string& text, BidiLine* line) {
  static_assert(sizeof(FriBidiChar) == sizeof(char32_t), "FriBidi takes UTF-32");
  if (text.size() > static_cast<size_t>(INT_MAX)) return false;
  const auto* chars = reinterpret_cast<const FriBidiChar*>(text.data());
  const auto len = static_cast<FriBidiStrIndex>(text.size());
  line->base = FRIBIDI_PAR_ON;
  line->types.assign(text.size(), 0);
  line->levels.assign(text.size(), 0);
  if (text.empty()) {
    line->base = FRIBIDI_PAR_LTR;
    return true;
  }
  std::vector<FriBidiBracketType> brackets(text.size());
  fribidi_get_bidi_types(chars, len, line->types.data());
  fribidi_get_bracket_types(chars, len, line->types.data(), brackets.data());
  if (fribidi_get_par_embedding_levels_ex(line->types.data(), brackets.data(), len, &line->base,
                                          line->levels.data()) == 0) {
    return false;
  }
  // Without a string to reorder this only applies rule L1 to the levels.
  return fribidi_reorder_line(0, line->types.data(), len, 0, line->base, line->levels.data(),
                              nullptr, nullptr) != 0;
}

}  // namespace platform
