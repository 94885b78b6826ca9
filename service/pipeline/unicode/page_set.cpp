#include "service/pipeline/unicode/page_set.h"

namespace unicode {

void PageSet::Add(uint8_t escT, const codepage::Table* table) {
  if (table == nullptr || pages_.size() >= kMaxPages || IndexOf(escT) >= 0) return;
  if (flat_.empty()) flat_.assign(kFlatLimit - 0x80, 0);
  const PageMask bit = PageMask{1} << pages_.size();
  const size_t base = pages_.size() * (kFlatLimit - 0x80);
  pages_.push_back({escT, table});
  all_ |= bit;
  bytes_.resize(base + (kFlatLimit - 0x80), 0);
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const char32_t c = codepage::Decode(*table, static_cast<uint8_t>(byte));
    if (c < 0x80 || c >= kFlatLimit || (flat_[c - 0x80] & bit)) continue;  // the first byte of a character wins
    flat_[c - 0x80] |= bit;
    bytes_[base + c - 0x80] = static_cast<uint8_t>(byte);
  }
}

int PageSet::IndexOf(int escT) const {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i].escT == escT) return static_cast<int>(i);
  }
  return -1;
}

PageMask PageSet::SearchPages(char32_t c) const {
  PageMask mask = 0;
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (codepage::CharacterByte(*pages_[i].table, c) >= 0) mask |= PageMask{1} << i;
  }
  return mask;
}

uint8_t PageSet::ByteOn(size_t index, char32_t c) const {
  if (c < 0x80) return static_cast<uint8_t>(c);
  if (c < kFlatLimit) return bytes_[index * (kFlatLimit - 0x80) + c - 0x80];
  return static_cast<uint8_t>(codepage::CharacterByte(*pages_[index].table, c));
}

}  // namespace unicode
