// The 24-dot glyphs of characters beyond the built-in fonts: 12 x 24 for
// half-width, 24 x 24 for full-width (CJK), read at run time from PCF
// bitmap fonts (Debian's xfonts-efont-unicode: h24.pcf.gz and f24.pcf.gz).
// Loaded once, on first use; read-only after that.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/vprinter/render/bitmap.h"

namespace vprinter {

class WideFont {
 public:
  // Reads a PCF font, gzip-compressed or not. False (and an empty font) when
  // the file is missing or not a font this reader understands.
  bool load(const std::string& path);
  bool empty() const { return glyphs_.empty(); }
  std::size_t size() const { return glyphs_.size(); }
  // The glyph in a cell 24 dots high (width 12 or 24), colour 1; an empty
  // bitmap when the font has none.
  Bitmap glyph(char32_t cp) const;
  bool has(char32_t cp) const { return glyphs_.count(cp) != 0; }

 private:
  struct Glyph {
    std::uint8_t width;
    std::uint32_t offset;  // into rows_: 24 rows of 3 bytes, MSB leftmost
  };
  std::unordered_map<char32_t, Glyph> glyphs_;
  std::vector<std::uint8_t> rows_;
};

// The fonts the printer uses, loaded from the folder set last (or the
// default) when first asked for: full-width f24.pcf.gz, half-width h24.pcf.gz.
const WideFont& fullWidthFont();
const WideFont& halfWidthFont();
// Sets the folder; takes effect when a font is first asked for.
void setWideFontDir(const std::string& dir);
const char* defaultWideFontDir();

}  // namespace vprinter
