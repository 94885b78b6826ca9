#include "tools/vprinter/render/barcode.h"

#include <zint.h>

#include <algorithm>
#include <memory>

#include "tools/vprinter/render/code128.h"

namespace vprinter {
namespace {

struct SymbolDeleter {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using ZintPtr = std::unique_ptr<zint_symbol, SymbolDeleter>;

bool moduleSet(const zint_symbol* s, int row, int col) {
  return (s->encoded_data[row][col >> 3] >> (col & 7)) & 1;
}

// Draws the module grid: `mw` dots per module, rowHeight(r) dots per row.
template <class RowHeight>
Bitmap drawModules(const zint_symbol* s, int mw, RowHeight rowHeight) {
  int total = 0;
  for (int r = 0; r < s->rows; ++r) total += rowHeight(r);
  Bitmap b(s->width * mw, total);
  int y = 0;
  for (int r = 0; r < s->rows; ++r) {
    int rh = rowHeight(r);
    for (int c = 0; c < s->width; ++c)
      if (moduleSet(s, r, c)) b.fill(c * mw, y, mw, rh, 1);
    y += rh;
  }
  return b;
}

Symbol encode(int type, const std::string& input, int mw, int height, int opt1 = -1, int opt2 = 0,
              int mode = DATA_MODE) {
  Symbol out;
  ZintPtr s(ZBarcode_Create());
  if (!s) {
    out.error = "no memory";
    return out;
  }
  s->symbology = type;
  s->input_mode = mode;
  if (opt1 >= 0) s->option_1 = opt1;
  if (opt2 > 0) s->option_2 = opt2;
  int rc = ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(input.data()), int(input.size()));
  if (rc >= ZINT_ERROR) {
    out.error = s->errtxt;
    return out;
  }
  if (s->rows < 1 || s->width < 1) {
    out.error = "empty symbol";
    return out;
  }
  bool linear = height > 0;
  int rows = s->rows;
  out.bars = drawModules(s.get(), mw, [&](int) { return linear ? std::max(1, height / rows) : mw; });
  out.hri = reinterpret_cast<const char*>(s->text);
  return out;
}

// Code 128 keeps the code sets the data chose; Zint would choose its own.
Symbol makeCode128(const std::string& data, int module, int height) {
  Code128 code = code128Values(data);
  if (code.values.empty()) return Symbol{{}, "", code.error};
  std::vector<bool> modules = code128Modules(code.values);
  Bitmap bars(int(modules.size()) * module, height);
  for (std::size_t i = 0; i < modules.size(); ++i)
    if (modules[i]) bars.fill(int(i) * module, 0, module, height, 1);
  return Symbol{bars, code128Text(data), ""};
}

bool digitsOnly(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string code128Text(const std::string& data) {
  std::string out;
  bool setC = false;
  for (std::size_t i = 0; i < data.size(); ++i) {
    unsigned char ch = data[i];
    if (ch == '{' && i + 1 < data.size()) {
      char sel = data[++i];
      if (sel == 'C') setC = true;
      else if (sel == 'A' || sel == 'B') setC = false;
      else if (sel == '{') out += '{';
      continue;  // FNC and shift codes carry no text
    }
    if (setC && ch < 100) {
      out += char('0' + ch / 10);
      out += char('0' + ch % 10);
    } else {
      out += char(ch);
    }
  }
  return out;
}

std::string upcaToUpce(const std::string& d) {
  if ((d.size() != 11 && d.size() != 12) || !digitsOnly(d) || (d[0] != '0' && d[0] != '1')) return "";
  std::string m = d.substr(1, 5), p = d.substr(6, 5), e;
  if (m.substr(3) == "00" && m[2] <= '2' && p.substr(0, 2) == "00") e = m.substr(0, 2) + p.substr(2) + m[2];
  else if (m.substr(3) == "00" && p.substr(0, 3) == "000") e = m.substr(0, 3) + p.substr(3) + "3";
  else if (m[4] == '0' && p.substr(0, 4) == "0000") e = m.substr(0, 4) + p[4] + "4";
  else if (p.substr(0, 4) == "0000" && p[4] >= '5') e = m + p[4];
  else return "";
  return d[0] + e;
}

// GS1 element strings as the printer takes them, "(01)..." with the
// application identifiers in parentheses, in the "[01]..." form Zint reads.
std::string gs1Brackets(std::string data) {
  for (char& c : data) c = c == '(' ? '[' : c == ')' ? ']' : c;
  return data;
}

Symbol makeLinear(const LinearSymbol& req) {
  struct Kind { int m1, m2, type; };
  static const Kind kKinds[] = {
      {0, 65, BARCODE_UPCA}, {1, 66, BARCODE_UPCE}, {2, 67, BARCODE_EANX}, {3, 68, BARCODE_EANX},
      {4, 69, BARCODE_CODE39}, {5, 70, BARCODE_C25INTER}, {6, 71, BARCODE_CODABAR},
      {-1, 72, BARCODE_CODE93}, {-1, 73, BARCODE_CODE128}, {-1, 75, BARCODE_DBAR_OMN}, {-1, 78, BARCODE_DBAR_EXP},
  };
  int type = -1;
  for (const Kind& k : kKinds)
    if (k.m1 == req.m || k.m2 == req.m) type = k.type;
  if (type < 0) return Symbol{{}, "", "unsupported symbol " + std::to_string(req.m)};
  int module = std::clamp(req.module, 1, 6);
  int height = std::clamp(req.height, 1, 255);
  if (type == BARCODE_CODE128) return makeCode128(req.data, module, height);
  std::string input = req.data;
  switch (type) {
    case BARCODE_UPCA: input = input.substr(0, 11); break;
    case BARCODE_UPCE: input = upcaToUpce(input); break;
    case BARCODE_EANX: input = input.substr(0, (req.m == 2 || req.m == 67) ? 12 : 7); break;
    case BARCODE_CODE39: input.erase(std::remove(input.begin(), input.end(), '*'), input.end()); break;
    case BARCODE_DBAR_OMN: input = input.substr(0, 13); break;
    case BARCODE_DBAR_EXP: input = gs1Brackets(input); break;
  }
  if (input.empty()) return Symbol{{}, "", "data cannot be encoded"};
  return encode(type, input, module, height, -1, 0, type == BARCODE_DBAR_EXP ? GS1_MODE : DATA_MODE);
}

Symbol makePdf417(const Pdf417Symbol& req) {
  if (req.data.empty()) return Symbol{{}, "", "no data stored"};
  int module = std::clamp(req.module, 1, 8);
  int rowHeight = std::clamp(req.rowHeight, 1, 8) * module;
  Symbol out;
  ZintPtr s(ZBarcode_Create());
  s->symbology = BARCODE_PDF417;
  s->input_mode = DATA_MODE;
  if (req.ecLevel >= 0) s->option_1 = std::min(req.ecLevel, 8);
  if (req.columns > 0) s->option_2 = std::min(req.columns, 30);
  int rc = ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(req.data.data()), int(req.data.size()));
  if (rc >= ZINT_ERROR || s->rows < 1) return Symbol{{}, "", s->errtxt};
  out.bars = drawModules(s.get(), module, [&](int) { return rowHeight; });
  return out;
}

Symbol makeQr(const QrSymbol& req) {
  if (req.data.empty()) return Symbol{{}, "", "no data stored"};
  int module = std::clamp(req.module, 1, 16);
  return encode(req.model == 3 ? BARCODE_MICROQR : BARCODE_QRCODE, req.data, module, 0,
                std::clamp(req.ecLevel, 0, 3) + 1, req.model == 3 ? 0 : std::clamp(req.version, 0, 40));
}

// Stacked DataBar rows are drawn 1 module high by Zint's grid where they
// are separators and taller where they carry bars; here every row is
// `module` dots per module row, enough for a reader at receipt sizes.
Symbol makeMatrix(const MatrixSymbol& req) {
  if (req.data.empty()) return Symbol{{}, "", "no data stored"};
  int module = std::clamp(req.module, 1, 16);
  switch (req.kind) {
    case MatrixSymbol::kDataMatrix: return encode(BARCODE_DATAMATRIX, req.data, module, 0);
    case MatrixSymbol::kAztec: return encode(BARCODE_AZTEC, req.data, module, 0);
    case MatrixSymbol::kDataBarStacked: break;
  }
  const int type = req.type == 76 ? BARCODE_DBAR_EXPSTK : req.type == 72 ? BARCODE_DBAR_STK : BARCODE_DBAR_OMNSTK;
  const std::string input = type == BARCODE_DBAR_EXPSTK ? gs1Brackets(req.data) : req.data.substr(0, 13);
  ZintPtr s(ZBarcode_Create());
  if (!s) return Symbol{{}, "", "no memory"};
  s->symbology = type;
  s->input_mode = type == BARCODE_DBAR_EXPSTK ? GS1_MODE : DATA_MODE;
  int rc = ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(input.data()), int(input.size()));
  if (rc >= ZINT_ERROR || s->rows < 1) return Symbol{{}, "", s->errtxt};
  // Zint's row heights in modules: bar rows tall, separator rows one.
  Symbol out;
  out.bars = drawModules(s.get(), module, [&](int r) {
    const int modules = int(s->row_height[r] + 0.5f);
    return std::max(1, modules) * module;
  });
  out.hri = reinterpret_cast<const char*>(s->text);
  return out;
}

}  // namespace vprinter
