#include "service/pipeline/unicode/page_set.h"

namespace unicode {

void PageSet::Add(uint8_t escT, const codepage::Table* table) {
  if (table == nullptr || pages_.size() >= kMaxPages || IndexOf(escT) >= 0) return;
  if (flat_.empty()) flat_.assign(kFlatLimit - 0x80, 0);
  const PageMask bit = PageMask{1} << pages_.size();
  pages_.push_back({escT, table});
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const char32_t c = codepage::Decode(*table, static_cast<uint8_t>(byte));
    if (c >= 0x80 && c < kFlatLimit) flat_[c - 0x80] |= bit;
  }
}

int PageSet::IndexOf(int escT) const {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i].escT == escT) return static_cast<int>(i);
  }
  return -1;
}

PageMask PageSet::PagesOf(char32_t c) const {
  if (c < 0x80) return pages_.size() >= 32 ? ~PageMask{0} : (PageMask{1} << pages_.size()) - 1;
  if (c < kFlatLimit) return flat_.empty() ? 0 : flat_[c - 0x80];
  PageMask mask = 0;
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (codepage::CharacterByte(*pages_[i].table, c) >= 0) mask |= PageMask{1} << i;
  }
  return mask;
}

uint8_t PageSet::ByteOn(size_t index, char32_t c) const {
  return static_cast<uint8_t>(codepage::CharacterByte(*pages_[index].table, c));
}

}  // namespace unicode
