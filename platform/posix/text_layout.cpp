// Runs drawn with HarfBuzz and FreeType: the run is cut where the bidi
// level, the script or the font (fontconfig's fallback order) changes, the
// pieces are shaped, put in display order and rendered 1 bit deep.
// A call has its FreeType and HarfBuzz objects to itself.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/any/text_cell.h"
#include "platform/posix/bidi_levels.h"
#include "platform/posix/font_fallback.h"
#include "platform/text_layout.h"

namespace platform {
namespace {

struct Segment {
  size_t start = 0;
  size_t end = 0;
  size_t font = 0;
  FriBidiLevel level = 0;
  hb_script_t script = HB_SCRIPT_COMMON;
};

struct Glyph {
  FT_Face face = nullptr;
  hb_codepoint_t id = 0;
  int64_t x = 0;  // 26.6 from the left edge
  int64_t y = 0;  // 26.6 up from the baseline
};

// Marks, joiners, variation selectors, emoji modifiers and tags belong with
// the character before them, in its font.
bool JoinsPrevious(char32_t c) {
  switch (hb_unicode_general_category(hb_unicode_funcs_get_default(), c)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
      return true;
    default:
      break;
  }
  return c == 0x200C || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F) ||
         (c >= 0x1F3FB && c <= 0x1F3FF) || (c >= 0xE0020 && c <= 0xE007F) ||
         (c >= 0xE0100 && c <= 0xE01EF);
}

// A character stays in the font before it when that font has it (so spaces
// and digits do not split a word), marks always do. A character no font has
// is drawn by the first font (its missing-glyph box).
std::vector<size_t> ChooseFonts(const std::u32string& text, const FontFallback& fonts) {
  std::vector<size_t> chosen(text.size(), 0);
  for (size_t i = 0; i < text.size(); ++i) {
    if (i > 0 && (JoinsPrevious(text[i]) || fonts.Has(chosen[i - 1], text[i]))) {
      chosen[i] = chosen[i - 1];
      continue;
    }
    const size_t font = fonts.FontFor(text[i]);
    chosen[i] = font < fonts.size() ? font : 0;
  }
  return chosen;
}

// Common and inherited characters take the script of the text around them.
std::vector<hb_script_t> ResolveScripts(const std::u32string& text) {
  hb_unicode_funcs_t* funcs = hb_unicode_funcs_get_default();
  std::vector<hb_script_t> scripts(text.size(), HB_SCRIPT_COMMON);
  hb_script_t current = HB_SCRIPT_COMMON;
  size_t leading = text.size();
  for (size_t i = 0; i < text.size(); ++i) {
    const hb_script_t s = hb_unicode_script(funcs, text[i]);
    if (s != HB_SCRIPT_COMMON && s != HB_SCRIPT_INHERITED && s != HB_SCRIPT_UNKNOWN) {
      if (current == HB_SCRIPT_COMMON) leading = i;
      current = s;
    }
    scripts[i] = current;
  }
  if (leading < text.size()) std::fill(scripts.begin(), scripts.begin() + leading, scripts[leading]);
  return scripts;
}

std::vector<Segment> Split(const std::u32string& text, const BidiLine& bidi,
                           const std::vector<size_t>& fonts, const std::vector<hb_script_t>& scripts) {
  std::vector<Segment> segments;
  for (size_t i = 0; i < text.size(); ++i) {
    if (segments.empty() || segments.back().font != fonts[i] ||
        segments.back().level != bidi.levels[i] || segments.back().script != scripts[i]) {
      segments.push_back({i, i, fonts[i], bidi.levels[i], scripts[i]});
    }
    segments.back().end = i + 1;
  }
  return segments;
}

// Rule L2 over whole pieces: from the highest level down to the lowest odd
// one, every stretch at that level or above is reversed.
void ToDisplayOrder(std::vector<Segment>* segments) {
  // FriBidiLevel is a signed char: the search starts above every level.
  int highest = 0;
  int lowest_odd = 256;
  for (const Segment& s : *segments) {
    highest = std::max<int>(highest, s.level);
    if (s.level % 2 == 1) lowest_odd = std::min<int>(lowest_odd, s.level);
  }
  for (int level = highest; level >= lowest_odd && level > 0; --level) {
    auto it = segments->begin();
    while (it != segments->end()) {
      if (it->level < level) {
        ++it;
        continue;
      }
      auto stop = std::find_if(it, segments->end(), [&](const Segment& s) { return s.level < level; });
      std::reverse(it, stop);
      it = stop;
    }
  }
}

// FreeType's library and the faces opened so far. One call at a time uses
// one of these; the pool below keeps them between calls, as opening faces
// and loading their shaping tables costs more than drawing a line.
class Faces {
 public:
  explicit Faces(const FontFallback& fonts) : fonts_(fonts), faces_(fonts.size()) {
    ok_ = FT_Init_FreeType(&library_) == 0;
  }
  ~Faces() {
    for (Face& f : faces_) {
      if (f.hb != nullptr) hb_font_destroy(f.hb);
      if (f.ft != nullptr) FT_Done_Face(f.ft);
    }
    if (ok_) FT_Done_FreeType(library_);
  }
  Faces(const Faces&) = delete;
  Faces& operator=(const Faces&) = delete;

  // Font i at `em` dots; null when it cannot be opened at that size.
  hb_font_t* Open(size_t i, int32_t em, FT_Face* face) {
    *face = nullptr;
    if (!ok_ || i >= faces_.size()) return nullptr;
    Face& f = faces_[i];
    if (!f.tried) {
      f.tried = true;
      const FallbackFont& font = fonts_.font(i);
      if (FT_New_Face(library_, font.file.c_str(), font.index, &f.ft) != 0) f.ft = nullptr;
    }
    if (f.ft == nullptr) return nullptr;
    if (f.em != em) {
      if (FT_Set_Pixel_Sizes(f.ft, 0, static_cast<FT_UInt>(em)) != 0) return nullptr;
      f.em = em;
      if (f.hb == nullptr) {
        f.hb = hb_ft_font_create_referenced(f.ft);
        hb_ft_font_set_load_flags(f.hb, kLoadFlags);
      } else {
        hb_ft_font_changed(f.hb);
      }
    }
    *face = f.ft;
    return f.hb;
  }

  // Unhinted: the fonts' hinting programs cost several times the rest of a
  // line, and 1-bit glyphs at receipt sizes look as good without them.
  static constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_HINTING | FT_LOAD_TARGET_MONO;

 private:
  struct Face {
    bool tried = false;
    int32_t em = 0;
    FT_Face ft = nullptr;
    hb_font_t* hb = nullptr;
  };
  const FontFallback& fonts_;
  FT_Library library_ = nullptr;
  bool ok_ = false;
  std::vector<Face> faces_;
};

// Idle Faces, handed to one call at a time.
class FacesPool {
 public:
  std::unique_ptr<Faces> Take(const FontFallback& fonts) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!idle_.empty()) {
        std::unique_ptr<Faces> faces = std::move(idle_.back());
        idle_.pop_back();
        return faces;
      }
    }
    return std::make_unique<Faces>(fonts);
  }
  void Give(std::unique_ptr<Faces> faces) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (idle_.size() < kKept) idle_.push_back(std::move(faces));
  }

 private:
  static constexpr size_t kKept = 4;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Faces>> idle_;
};

FacesPool& Pool() {
  static FacesPool pool;
  return pool;
}

// Shapes the pieces in display order, the pen running left to right; stops
// once past the widest picture. Returns the advance in 26.6.
int64_t Shape(const std::u32string& text, const std::vector<Segment>& segments, int32_t em,
              Faces* faces, int64_t bold_extra, std::vector<Glyph>* glyphs) {
  const auto* all = reinterpret_cast<const uint32_t*>(text.data());
  int64_t pen = 0;
  hb_buffer_t* buffer = hb_buffer_create();
  for (const Segment& s : segments) {
    if (pen > int64_t{kMaxTextPictureWidth} * 64) break;
    FT_Face face = nullptr;
    hb_font_t* font = faces->Open(s.font, em, &face);
    if (font == nullptr) font = faces->Open(0, em, &face);
    if (font == nullptr) continue;
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf32(buffer, all, static_cast<int>(text.size()), static_cast<unsigned>(s.start),
                        static_cast<int>(s.end - s.start));
    hb_buffer_set_direction(buffer, s.level % 2 ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, s.script);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    for (unsigned g = 0; g < count; ++g) {
      glyphs->push_back({face, info[g].codepoint, pen + pos[g].x_offset, pos[g].y_offset});
      pen += pos[g].x_advance + (pos[g].x_advance > 0 ? bold_extra : 0);
    }
  }
  hb_buffer_destroy(buffer);
  return pen;
}

void Blit(const FT_Bitmap& bitmap, int32_t left, int32_t top, TextPicture* out) {
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const int32_t y = top + static_cast<int32_t>(row);
    if (y < 0 || y >= out->height) continue;
    const unsigned stored = bitmap.pitch >= 0 ? row : bitmap.rows - 1 - row;
    const unsigned char* line = bitmap.buffer + static_cast<size_t>(stored) * std::abs(bitmap.pitch);
    for (unsigned col = 0; col < bitmap.width; ++col) {
      const int32_t x = left + static_cast<int32_t>(col);
      if (x < 0 || x >= out->width) continue;
      const bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (line[col / 8] & (0x80 >> (col % 8))) != 0
                                                                : line[col] >= 128;
      if (ink) out->dots[static_cast<size_t>(y) * out->width + x] = 1;
    }
  }
}

void Render(const Glyph& glyph, int32_t baseline, FT_Pos bold_extra, TextPicture* out) {
  if (FT_Load_Glyph(glyph.face, glyph.id, Faces::kLoadFlags) != 0) return;
  FT_GlyphSlot slot = glyph.face->glyph;
  if (bold_extra > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    FT_Outline_EmboldenXY(&slot->outline, bold_extra, 0);
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return;
  const int32_t left = static_cast<int32_t>((glyph.x + 32) >> 6) + slot->bitmap_left;
  const int32_t top = baseline - static_cast<int32_t>((glyph.y + 32) >> 6) - slot->bitmap_top;
  Blit(slot->bitmap, left, top, out);
}

}  // namespace

bool DrawTextRun(std::u32string_view run, int32_t height, bool bold, TextPicture* out) {
  *out = TextPicture{};
  if (run.empty() || height <= 0 || height > kMaxTextPictureHeight) return false;
  const std::u32string text = ScalarValues(run);
  const FontFallback& fonts = FontFallback::Instance();
  BidiLine bidi;
  if (fonts.size() == 0 || !ResolveBidi(text, &bidi)) return false;
  std::vector<Segment> segments = Split(text, bidi, ChooseFonts(text, fonts), ResolveScripts(text));
  ToDisplayOrder(&segments);

  const TextCell cell = CellFor(height);
  const int64_t bold_extra = bold ? std::max<int64_t>(64, cell.em * 64 / 16) : 0;
  std::unique_ptr<Faces> faces = Pool().Take(fonts);
  std::vector<Glyph> glyphs;
  const int64_t advance = Shape(text, segments, cell.em, faces.get(), bold_extra, &glyphs);
  const int64_t width = std::min<int64_t>((advance + 63) >> 6, kMaxTextPictureWidth);
  const bool drawn = StartPicture(static_cast<int32_t>(width), height, out);
  if (drawn) {
    for (const Glyph& g : glyphs) Render(g, cell.baseline, static_cast<FT_Pos>(bold_extra), out);
  }
  Pool().Give(std::move(faces));
  return drawn;
}

}  // namespace platform
