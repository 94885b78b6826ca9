#include "pipeline_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "service/pipeline/translator.h"

std::string Bytes(std::string_view hex) {
  std::string out;
  size_t i = 0;
  while (i < hex.size()) {
    if (hex[i] == ' ') {
      ++i;
    } else if (hex[i] == '\'') {
      const size_t end = hex.find('\'', i + 1);
      out.append(hex.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
      i += 2;
    }
  }
  return out;
}

std::string HexOf(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(c));
    if (!out.empty()) out.push_back(' ');
    out.append(buf);
  }
  return out;
}

PrintState QuietState() {
  PrintState s;
  s.printerType = 1;
  s.linecharsNormal = 42;
  s.linecharsCompressed = 56;
  s.recLineChars = 42;
  s.lineSpacingDots = 30;
  s.capRecPapercut = 1;
  s.recLinesToPaperCut = 4;
  s.resendFlags = 0;
  s.units = MakeUnitTables(180, 180);
  return s;
}

std::string QuietPrefix() { return Bytes("1B 3D 01 1B 61 00 1B 21 00"); }

std::string Translated(PrintState& state, std::string_view data, int32_t* result) {
  std::string out;
  const int32_t rc = TranslatePrintData(state, data, &out);
  if (result != nullptr) *result = rc;
  return HexOf(out);
}

std::string Body(PrintState& state, std::string_view data, int32_t* result) {
  std::string out;
  const int32_t rc = TranslatePrintData(state, data, &out);
  if (result != nullptr) *result = rc;
  const std::string head = QuietPrefix();
  const std::string tail = QuietPrefix() + Bytes("1D 42 00");
  if (out.size() < head.size() + tail.size() || out.compare(0, head.size(), head) != 0 ||
      out.compare(out.size() - tail.size(), tail.size(), tail) != 0) {
    ADD_FAILURE() << "frame missing: " << HexOf(out);
    return HexOf(out);
  }
  return HexOf(std::string_view(out).substr(head.size(), out.size() - head.size() - tail.size()));
}
