// Bar code checks: any data for any symbology is either refused with 106,
// leaving the output as it was, or appended as commands whose length bytes
// match what follows them.
#include <string_view>

#include "common/opos.h"
#include "service/pipeline/barcode/bar_code.h"
#include "tests/fuzz/fuzz_drivers.h"

using namespace opos;

namespace {

// The table's symbologies, the two-dimensional ones and some outside both.
const int32_t kSymbologies[] = {PTR_BCS_UPCA,    PTR_BCS_UPCE,    PTR_BCS_EAN8,   PTR_BCS_EAN13, PTR_BCS_ITF,
                                PTR_BCS_Codabar, PTR_BCS_Code39,  PTR_BCS_Code93, PTR_BCS_Code128,
                                PTR_BCS_PDF417,  kSymbologyQrCode, PTR_BCS_TF,    PTR_BCS_OCRA,  0, -1,
                                PTR_BCS_QRCODE, PTR_BCS_UQRCODE, PTR_BCS_DATAMATRIX, PTR_BCS_AZTEC,
                                PTR_BCS_GS1DATABAR, PTR_BCS_GS1DATABAR_E, PTR_BCS_GS1DATABAR_S,
                                PTR_BCS_GS1DATABAR_E_S, PTR_BCS_MAXICODE};
const int32_t kAlignments[] = {PTR_BC_LEFT, PTR_BC_CENTER, PTR_BC_RIGHT, 17};
const int32_t kTextPositions[] = {PTR_BC_TEXT_NONE, PTR_BC_TEXT_ABOVE, PTR_BC_TEXT_BELOW, 3};
const int32_t kHeights[] = {0, 1, 162, 255, 256, 100000, -5, -2147483647 - 1};
const int32_t kWidths[] = {0, 1, 200, 512, 4000, -1, 2147483647, -2147483647 - 1};


// The symbol ends GS k m n and n bytes of payload: true when some n fits.
bool EndsWithBarCodeCommand(std::string_view out) {
  for (size_t n = 0; n <= 255 && n + 4 <= out.size(); ++n) {
    const size_t at = out.size() - n - 4;
    if (static_cast<uint8_t>(out[at + 3]) == n && out.substr(at, 2) == "\x1Dk") return true;
  }
  return false;
}
#define PICK(table, byte) table[(byte) % (sizeof(table) / sizeof(table[0]))]

}  // namespace

std::string RunBarCodeInput(const uint8_t* data, size_t size) {
  if (size < 2) return "";
  const int32_t symbology = PICK(kSymbologies, data[0]);
  const uint8_t b = data[1];
  BarCodeLayout layout;
  layout.alignment = PICK(kAlignments, b & 3);
  layout.textPosition = PICK(kTextPositions, (b >> 2) & 3);
  layout.fontByte = static_cast<uint8_t>(b >> 4);
  const int32_t height = PICK(kHeights, (b >> 4) & 7);
  const int32_t width = PICK(kWidths, (b >> 1) & 7);
  const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);

  const std::string before = "kept";
  std::string out = before;
  const bool twoD = IsTwoDimensional(symbology);
  const int32_t rc = twoD ? BuildTwoDimensionalCode(text, symbology, layout, &out)
                          : BuildLinearBarCode(text, symbology, height, width, layout, &out);
  if (rc == OPOS_E_ILLEGAL) return out == before ? "" : "a refused symbol changed the output";
  if (rc != OPOS_SUCCESS) return "unexpected result " + std::to_string(rc);
  if (out.compare(0, before.size(), before) != 0 || out.size() <= before.size() + text.size())
    return "symbol commands missing";
  if (!twoD) {
    const std::string_view tail = std::string_view(out).substr(before.size());
    if (!EndsWithBarCodeCommand(tail)) return "no bar code command with a matching length";
    // Only Code 128 adds code set characters, and DataBar drops a check
    // digit; the others send the data as it is.
    if (symbology != PTR_BCS_Code128 && symbology != PTR_BCS_GS1DATABAR &&
        (tail.size() < text.size() + 1 || tail.substr(tail.size() - text.size()) != text ||
         static_cast<uint8_t>(tail[tail.size() - text.size() - 1]) != text.size())) {
      return "payload is not the data";
    }
  }
  const int32_t module = ChooseModuleWidth(symbology, static_cast<int32_t>(text.size()), b, width);
  if (module < 2 || module > 6) return "module width " + std::to_string(module);
  return "";
}
