#include "platform/posix/font_fallback.h"

#include <fontconfig/fontconfig.h>

namespace platform {
namespace {

// Colour (bitmap) emoji fonts and bitmap fonts do not scale to a 1-bit cell.
bool Usable(FcPattern* font, FcChar8** file, int* index, FcCharSet** chars) {
  FcBool scalable = FcFalse;
  FcBool color = FcFalse;
  if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable) return false;
  if (FcPatternGetBool(font, FC_COLOR, 0, &color) == FcResultMatch && color) return false;
  if (FcPatternGetString(font, FC_FILE, 0, file) != FcResultMatch) return false;
  if (FcPatternGetInteger(font, FC_INDEX, 0, index) != FcResultMatch) *index = 0;
  return FcPatternGetCharSet(font, FC_CHARSET, 0, chars) == FcResultMatch;
}

}  // namespace

const FontFallback& FontFallback::Instance() {
  static const FontFallback fallback;  // built once, thread-safe since C++11
  return fallback;
}

FontFallback::FontFallback() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return;
  FcPattern* want = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
  FcConfigSubstitute(config, want, FcMatchPattern);
  FcDefaultSubstitute(want);
  FcResult result = FcResultNoMatch;
  FcFontSet* sorted = FcFontSort(config, want, FcFalse, nullptr, &result);
  FcPatternDestroy(want);
  if (sorted == nullptr) {
    FcConfigDestroy(config);
    return;
  }
  FcCharSet* covered = FcCharSetCreate();
  for (int i = 0; i < sorted->nfont; ++i) {
    FcChar8* file = nullptr;
    int index = 0;
    FcCharSet* chars = nullptr;
    if (!Usable(sorted->fonts[i], &file, &index, &chars) || FcCharSetIsSubset(chars, covered)) {
      continue;
    }
    FcCharSetMerge(covered, chars, nullptr);
    fonts_.push_back({reinterpret_cast<const char*>(file), index});
    charsets_.push_back(FcCharSetCopy(chars));
  }
  FcCharSetDestroy(covered);
  FcFontSetDestroy(sorted);
  FcConfigDestroy(config);
}

bool FontFallback::Has(size_t font, char32_t c) const {
  return font < charsets_.size() && FcCharSetHasChar(static_cast<const FcCharSet*>(charsets_[font]), c);
}

size_t FontFallback::FontFor(char32_t c) const {
  for (size_t i = 0; i < charsets_.size(); ++i) {
    if (Has(i, c)) return i;
  }
  return fonts_.size();
}

}  // namespace platform
