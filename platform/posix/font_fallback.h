// The system's outline fonts in fontconfig's order of preference for plain
// sans-serif text, kept only where a font adds characters the ones before it
// lack. Built once, then only read, so any thread may use it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

struct FallbackFont {
  std::string file;
  int index = 0;  // face in a collection
};

class FontFallback {
 public:
  static const FontFallback& Instance();

  size_t size() const { return fonts_.size(); }
  const FallbackFont& font(size_t i) const { return fonts_[i]; }
  bool Has(size_t font, char32_t c) const;
  // The first font that has `c`; size() when none has.
  size_t FontFor(char32_t c) const;

 private:
  FontFallback();
  std::vector<FallbackFont> fonts_;
  std::vector<const void*> charsets_;  // FcCharSet per font, held for the process
};

}  // namespace platform
