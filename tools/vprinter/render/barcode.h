// Bar codes and 2D symbols drawn from the received data (Zint encodes all
// but Code 128, the modules are drawn here at the printer's dot sizes).
#pragma once

#include <string>

#include "tools/vprinter/render/bitmap.h"

namespace vprinter {

struct LinearSymbol {
  int m = 0;            // GS k symbol number (0..6, 65..73, 75 and 78 GS1 DataBar)
  std::string data;     // as received
  int module = 3;       // GS w
  int height = 162;     // GS h, dots
};

struct Symbol {
  Bitmap bars;          // empty when the data cannot be encoded
  std::string hri;      // human readable text
  std::string error;    // why it could not be encoded
};

Symbol makeLinear(const LinearSymbol& req);

struct Pdf417Symbol {
  std::string data;
  int columns = 0, rows = 0;  // 0 = automatic
  int module = 3, rowHeight = 3;
  int ecLevel = -1;           // -1 automatic
};
struct QrSymbol {
  std::string data;
  int model = 2, module = 3;
  int ecLevel = 0;            // 0 L, 1 M, 2 Q, 3 H
  int version = 0;            // 1..40, 0 automatic
};

// Data Matrix (GS ( k cn 54), Aztec (cn 53) and the stacked GS1 DataBar
// symbols (cn 51; `type` is the store command's 72, 73 or 76).
struct MatrixSymbol {
  enum Kind { kDataMatrix, kAztec, kDataBarStacked } kind = kDataMatrix;
  std::string data;
  int module = 3;
  int type = 0;
};

Symbol makePdf417(const Pdf417Symbol& req);
Symbol makeQr(const QrSymbol& req);
Symbol makeMatrix(const MatrixSymbol& req);

// The human readable text of ESC/POS Code 128 data: code set selectors
// ({A {B {C) dropped, set C bytes written as digit pairs, {{ as {.
std::string code128Text(const std::string& data);
// UPC-A digits (11 or 12) compressed to UPC-E (7 digits), "" when they
// cannot be. Exposed for tests.
std::string upcaToUpce(const std::string& digits);

}  // namespace vprinter
