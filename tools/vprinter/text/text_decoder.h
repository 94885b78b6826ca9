// What the bytes of printed text stand for: the single-byte tables (ESC t,
// ESC R), the double-byte codes of Kanji mode (FS &, FS C) or UTF-8 (FS ( C).
// A character whose bytes are split between two text commands is kept until
// the rest arrives. Event loop thread only (one decoder per printer).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vprinter {

// The double-byte code Kanji mode reads. The Japanese family switches
// between its three with FS C; the others have one each.
enum class Multibyte { ShiftJis, Jis, ShiftJis2004, Gb18030, Big5, Ksc5601 };

// "shift-jis", "gb18030", "big5" or "ksc5601" (the --kanji option).
bool kanjiFamilyNamed(const std::string& name, Multibyte& out);
const char* kanjiFamilyNames();

struct TextMode {
  int table = 0, intl = 0;  // ESC t, ESC R
  bool kanji = false;       // FS & / FS .
  bool utf8 = false;        // FS ( C fn 48
  Multibyte multibyte = Multibyte::ShiftJis;
};

struct TextChar {
  char32_t cp = 0;
  bool wide = false;       // a full-width (24-dot) cell
  bool combining = false;  // a mark drawn on the previous cell
  std::uint16_t code = 0;  // the two bytes of a double-byte character, else 0
};

class TextDecoder {
 public:
  TextMode mode;

  // Appends the characters of `bytes`; the first bytes of an incomplete
  // character wait for the next call.
  void decode(std::string_view bytes, std::vector<TextChar>& out);
  // Ends an incomplete character (another command came): one U+FFFD.
  void flush(std::vector<TextChar>& out);
  std::size_t pending() const { return pending_.size(); }  // bytes held, at most 3
  void reset() { pending_.clear(); }

 private:
  std::string pending_;
};

// Characters that sit on the previous cell (Thai vowel and tone marks,
// combining diacritics) and characters printed in a full-width cell.
bool isCombining(char32_t cp);
bool isWide(char32_t cp);
// UTF-8 of decoded characters, for the command log and the text reply.
std::string toUtf8(const std::vector<TextChar>& chars);

}  // namespace vprinter
