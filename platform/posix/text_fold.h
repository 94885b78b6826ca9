// ASCII case folding for registry and profile names, byte by byte; text is
// 8-bit and only A-Z fold. Names compare lower-cased, which gives subkeys
// the enumeration order Wine gives. (Windows compares upper-cased; the two
// orders differ only for the characters between 'Z' and 'a': [ \ ] ^ _ `.)
#pragma once

#include <string>

namespace platform {

inline char FoldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline int FoldCompare(const std::string& a, const std::string& b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(FoldLower(a[i]));
    const unsigned char y = static_cast<unsigned char>(FoldLower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

inline bool FoldEqual(const std::string& a, const std::string& b) { return FoldCompare(a, b) == 0; }

struct FoldLess {
  bool operator()(const std::string& a, const std::string& b) const { return FoldCompare(a, b) < 0; }
};

}  // namespace platform
