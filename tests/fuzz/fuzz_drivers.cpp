#include "fuzz_drivers.h"

#include <string_view>

#include "service/pipeline/binary_conversion.h"
#include "service/pipeline/translator.h"

namespace {

constexpr size_t kSettingsBytes = 10;
constexpr std::string_view kPrefixStart = "\x1B\x3D\x01\x1B\x61\x00";
constexpr std::string_view kEnd{"\x1D\x42\x00", 3};

int8_t Signed(uint8_t b) { return static_cast<int8_t>(b); }

// Settings from the head of the input; odd values (negative spacing, map
// mode 0 or 5, resolution 0) are meant to be reachable.
PrintState StateFrom(const uint8_t* b) {
  PrintState s;
  s.printerType = b[0] & 3;
  s.capRecColor = (b[0] >> 2) & 1;
  s.capRecPapercut = (b[0] >> 3) & 1;
  s.capRecRotate180 = (b[0] >> 4) & 1;
  s.diInternational = (b[0] >> 5) & 1;
  s.rotation = (b[0] & 0x40) ? 0x0103 : 1;
  s.linecharsNormal = 42;
  s.recLineChars = (b[0] & 0x80) ? 56 : 42;
  s.mapMode = b[1] % 6;
  s.binaryConversion = (b[1] >> 3) % 4;
  s.lineSpacingDots = Signed(b[2]);
  s.recLinesToPaperCut = Signed(b[3]) * 16;
  s.codePage = Signed(b[4]);
  s.internationalSet = Signed(b[5]);
  s.resendFlags = b[6];
  s.characterSize = b[7];
  const int16_t dpi = static_cast<int16_t>(b[8] | (b[9] << 8));
  s.units = MakeUnitTables(dpi, dpi);
  s.topLogo = "\x1B|bCtop";
  s.topLogoSet = (b[1] & 0x20) != 0;
  s.bottomLogo = "bottom";
  s.bottomLogoSet = (b[1] & 0x40) != 0;
  s.bitmaps[0] = {"\x1D\x76\x30", "img"};
  return s;
}

bool IsResult(int32_t rc) { return rc == 0 || rc == 106 || rc == 111; }

std::string CheckTranslation(PrintState& s, std::string_view text) {
  std::string out;
  const int32_t rc = TranslatePrintData(s, text, &out);
  if (!IsResult(rc)) return "unexpected result " + std::to_string(rc);
  if (out.compare(0, kPrefixStart.size(), kPrefixStart) != 0) return "missing leading prefix";
  if (out.size() < kEnd.size() || out.compare(out.size() - kEnd.size(), kEnd.size(), kEnd) != 0)
    return "missing closing reverse-off";
  // No sequence expands beyond a few hundred bytes per input byte.
  if (out.size() > 128 + 300 * (text.size() + 1)) return "output out of proportion";
  const std::string_view plain = text.substr(0, text.find('\0'));
  if (plain.find('\x1B') == std::string_view::npos && out.find(plain) == std::string::npos)
    return "plain text not passed through";
  return "";
}

}  // namespace

std::string RunTranslateInput(const uint8_t* data, size_t size) {
  if (size < kSettingsBytes) return "";
  PrintState s = StateFrom(data);
  const std::string_view raw(reinterpret_cast<const char*>(data) + kSettingsBytes, size - kSettingsBytes);
  const std::string text = DecodeBinaryConversion(s.binaryConversion, raw);
  std::string problem = CheckTranslation(s, text);
  if (problem.empty()) problem = CheckTranslation(s, text);
  return problem;
}

std::string RunBinaryConversionInput(const uint8_t* data, size_t size) {
  if (size < 1) return "";
  const int32_t mode = Signed(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string out = DecodeBinaryConversion(mode, text);
  const size_t expected = mode == 1 ? text.size() / 2 : mode == 2 ? text.size() / 3 : text.size();
  if (out.size() != expected) return "decoded length " + std::to_string(out.size());
  if (mode == 1) {
    std::string again;
    for (char c : out) {
      again.push_back(static_cast<char>(0x30 | ((static_cast<uint8_t>(c) >> 4) & 0x0F)));
      again.push_back(static_cast<char>(0x30 | (static_cast<uint8_t>(c) & 0x0F)));
    }
    if (DecodeBinaryConversion(1, again) != out) return "nibble round trip differs";
  }
  PrintState s;
  return CheckTranslation(s, out);
}
