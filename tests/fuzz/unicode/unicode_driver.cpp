// CharacterSet 997 checks: any print data translates inside its frame;
// outside the bit images no '?' appears that the data did not hold, every
// ESC t names a page of the model, UTF-8 and Kanji mode and the Kanji
// print mode are left before the call ends, no picture is wider than the line, and the next call starts on the
// CharacterSet's page again.
#include <string_view>

#include "service/pipeline/translator.h"
#include "service/printer/character_set.h"
#include "tests/fuzz/fuzz_drivers.h"

namespace {

using namespace std::string_view_literals;

constexpr std::string_view kCodeTable = "\x1B\x74"sv;
constexpr std::string_view kBitImage = "\x1B\x2A\x21"sv;
constexpr std::string_view kUtf8On = "\x1C\x28\x43\x02\x00\x30\x01"sv;
constexpr std::string_view kUtf8Off = "\x1C\x28\x43\x02\x00\x30\x00"sv;
constexpr std::string_view kKanjiOn = "\x1C\x26"sv;
constexpr std::string_view kKanjiOff = "\x1C\x2E"sv;
constexpr std::string_view kKanjiPrintMode = "\x1C\x21"sv;
// Settings bits 4..6 without UTF-8 mode: the Kanji code.
const char* const kKanjiModes[] = {"", "ShiftJIS", "GB18030", "Big5", "KSC5601", "", "", ""};
constexpr std::string_view kClose = "\x1B\x3D\x01\x1B\x61\x00"sv;
constexpr std::string_view kReverseOff = "\x1D\x42\x00"sv;
constexpr std::string_view kBackToPc437 = "\x1B\x74\x00"sv;

PrinterData Model(uint8_t settings) {
  PrinterData d;
  d.print.printerType = 1;
  d.print.linecharsNormal = 42;
  d.print.recLineChars = (settings & 2) ? 56 : 42;
  d.print.lineSpacingDots = 30;
  d.print.resendFlags = 0;
  d.characterSetList = (settings & 4) ? "437,850,858" : "437,737,850,852,855,858,862,864,866,874,1251,1253,1255";
  d.multiByteMode = (settings & 1) ? "UTF8" : kKanjiModes[(settings >> 4) & 7];
  d.metrics.lineWidthDots = (settings & 8) ? 96 : 512;
  BuildUnicodeModel(d);
  d.print.unicodeText = true;
  return d;
}

// Checks plain data's output (neither raw ESC or FS bytes, which may send
// any command, nor '?', which prints as itself) and returns the problem, if any.
std::string CheckOutput(const PrintState& s, std::string_view out) {
  bool utf8 = false, kanji = false;
  int kanjiStyle = 0;
  for (size_t i = 0; i < out.size();) {
    const std::string_view rest = out.substr(i);
    if (rest.substr(0, kBitImage.size()) == kBitImage && rest.size() >= 5) {
      const size_t n = static_cast<uint8_t>(rest[3]) | (static_cast<uint8_t>(rest[4]) << 8);
      if (n == 0 || static_cast<int32_t>(n) > s.unicode.lineWidthDots) return "picture wider than the line";
      if (rest.size() < 5 + 3 * n) return "picture cut short";
      i += 5 + 3 * n;
      continue;
    }
    if (rest.substr(0, kCodeTable.size()) == kCodeTable && rest.size() >= 3) {
      if (s.unicode.pages.IndexOf(static_cast<uint8_t>(rest[2])) < 0) return "ESC t names no page of the model";
    }
    if (rest.substr(0, kUtf8On.size()) == kUtf8On) utf8 = true;
    if (rest.substr(0, kUtf8Off.size()) == kUtf8Off) utf8 = false;
    if (rest.substr(0, kKanjiOn.size()) == kKanjiOn) kanji = true;
    if (rest.substr(0, kKanjiOff.size()) == kKanjiOff) kanji = false;
    if (rest.substr(0, kKanjiPrintMode.size()) == kKanjiPrintMode && rest.size() >= 3) kanjiStyle = rest[2];
    if (rest[0] == '?') return "a '?' the data did not hold";
    ++i;
  }
  if (utf8) return "UTF-8 mode left on";
  if (kanji) return "Kanji mode left on";
  return kanjiStyle != 0 ? "Kanji print mode left on" : "";
}

}  // namespace

std::string RunUnicodeInput(const uint8_t* data, size_t size) {
  if (size < 1) return "";
  PrinterData d = Model(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bool plain = text.find_first_of("?\x1B\x1C") == std::string_view::npos;
  for (int call = 0; call < 2; ++call) {
    std::string out;
    TranslatePrintData(d.print, text, &out);
    const std::string_view o(out);
    if (o.substr(0, kClose.size()) != kClose || o.size() < kReverseOff.size() ||
        o.substr(o.size() - kReverseOff.size()) != kReverseOff)
      return "frame missing";
    if (call == 1 && plain && o.substr(kClose.size(), kBackToPc437.size()) == kBackToPc437) {
      // The first call ended on PC437, so the second has nothing to resend.
      return "page not restored by the first call";
    }
    if (!plain) continue;
    const std::string problem = CheckOutput(d.print, out);
    if (!problem.empty()) return problem;
  }
  return "";
}
