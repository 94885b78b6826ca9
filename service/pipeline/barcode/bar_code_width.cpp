// Symbol width estimates by module width, and the choice of the module.
#include "common/opos.h"
#include "service/pipeline/barcode/bar_code.h"

namespace {

using namespace opos;

constexpr int32_t kFirstModule = 2, kLastModule = 6;
constexpr int32_t kNoChoiceSlack = 1000;

// Narrow and wide element widths in millimetres for modules 2..6.
struct Elements {
  double narrow, wide;
};
constexpr Elements kElements[] = {{0.282, 0.706}, {0.423, 1.129}, {0.564, 1.411}, {0.706, 1.834}, {0.847, 2.258}};

int64_t MmToDots(double mm) { return static_cast<int64_t>(mm * 7.092198581560284); }

// GS1 DataBar Expanded in modules, estimated from its data: a 12-bit
// header, 3.5 bits a digit and 6 another character, in symbol characters
// of 12 bits and 17 modules plus the check character, a 15-module finder
// for every two of them and 4 modules of guards.
int64_t ExpandedModules(int64_t characters, int64_t digits) {
  const int64_t bits = 12 + (7 * digits + 1) / 2 + 6 * (characters - digits);
  const int64_t symbolCharacters = (bits + 11) / 12 + 1;
  return 17 * symbolCharacters + 15 * ((symbolCharacters + 1) / 2) + 4;
}

// Symbol width in dots for module n; -1 for symbologies without a rule.
int64_t SymbolWidth(int32_t symbology, int64_t L, int64_t K, int32_t n) {
  const double e = kElements[n - kFirstModule].narrow, w = kElements[n - kFirstModule].wide;
  switch (symbology) {
    case PTR_BCS_UPCA:
    case PTR_BCS_EAN8:
    case PTR_BCS_EAN13: return (7 * L + 29) * n;
    case PTR_BCS_UPCE: return (7 * (L / 2) + 29) * n;
    case PTR_BCS_ITF: return MmToDots(L * (2 * w + 3 * e) + 6 * e + w) + 18;
    case PTR_BCS_Codabar: return MmToDots((L - K) * (3 * w + 4 * e) + K * (2 * w + 5 * e));
    case PTR_BCS_Code39: return MmToDots((L + 1) * (6 * e + 3 * w));
    case PTR_BCS_Code93: return (9 * L + 37) * n;
    case PTR_BCS_Code128: return (11 * L + 35) * n;
    case PTR_BCS_GS1DATABAR: return 96 * n;
    case PTR_BCS_GS1DATABAR_E: return ExpandedModules(L, K) * n;
    default: return -1;
  }
}

}  // namespace

int32_t ChooseModuleWidth(int32_t symbology, int32_t dataLength, int32_t digitLike, int32_t widthDots) {
  int32_t chosen = 0;
  int64_t best = kNoChoiceSlack;
  for (int32_t n = kFirstModule; n <= kLastModule; ++n) {
    const int64_t slack = static_cast<int64_t>(widthDots) - SymbolWidth(symbology, dataLength, digitLike, n);
    if (slack < 0) break;
    if (slack < best) {
      chosen = n;
      best = slack;
    }
  }
  return chosen == 0 ? kFirstModule : chosen;
}
