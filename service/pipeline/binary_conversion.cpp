#include "service/pipeline/binary_conversion.h"

#include "common/opos.h"

namespace {

uint8_t Low(char c) { return static_cast<uint8_t>(c) & 0x0F; }

std::string DecodeNibbles(std::string_view text) {
  std::string out(text.size() / 2, '\0');
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char>((Low(text[2 * i]) << 4) | Low(text[2 * i + 1]));
  }
  return out;
}

std::string DecodeDecimal(std::string_view text) {
  std::string out(text.size() / 3, '\0');
  for (size_t i = 0; i < out.size(); ++i) {
    const char* g = text.data() + 3 * i;
    out[i] = static_cast<char>(static_cast<uint8_t>(Low(g[0]) * 100 + Low(g[1]) * 10 + Low(g[2])));
  }
  return out;
}

}  // namespace

std::string DecodeBinaryConversion(int32_t binaryConversion, std::string_view text) {
  switch (binaryConversion) {
    case opos::OPOS_BC_NIBBLE:
      return DecodeNibbles(text);
    case opos::OPOS_BC_DECIMAL:
      return DecodeDecimal(text);
    default:
      return std::string(text);
  }
}
