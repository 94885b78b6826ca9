// The single-byte code pages of one printer model (its CharacterSetList),
// and which of them hold a character. Built once at OpenService; read by
// the Unicode encoder of every call.
#pragma once

#include <cstdint>
#include <vector>

#include "common/codepage/code_page.h"

namespace unicode {

struct Page {
  uint8_t escT;  // ESC t n
  const codepage::Table* table;
};

// A bit per page, in the order the pages were added.
using PageMask = uint32_t;

class PageSet {
 public:
  enum : size_t { kMaxPages = 32 };

  // A page whose ESC t number is already there, or beyond kMaxPages, is
  // left out.
  void Add(uint8_t escT, const codepage::Table* table);

  size_t Size() const { return pages_.size(); }
  const Page& At(size_t index) const { return pages_[index]; }
  // Index of the page with this ESC t number, or -1.
  int IndexOf(int escT) const;

  // The pages that hold c (every page for ASCII).
  PageMask PagesOf(char32_t c) const {
    if (c < 0x80) return all_;
    if (c < kFlatLimit) return flat_.empty() ? 0 : flat_[c - 0x80];
    return SearchPages(c);
  }
  // The byte of c on page `index`; the page must hold it.
  uint8_t ByteOn(size_t index, char32_t c) const;

 private:
  PageMask SearchPages(char32_t c) const;

  // Characters below this have their masks in a flat table, built by Add;
  // above it (half-width katakana, Arabic forms) the pages are searched.
  enum : char32_t { kFlatLimit = 0x2600 };

  std::vector<Page> pages_;
  PageMask all_ = 0;
  std::vector<PageMask> flat_;  // index c - 0x80
  std::vector<uint8_t> bytes_;  // index page * (kFlatLimit - 0x80) + c - 0x80
};

}  // namespace unicode
