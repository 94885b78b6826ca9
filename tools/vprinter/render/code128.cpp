#include "tools/vprinter/render/code128.h"

#include <cstdio>

namespace vprinter {
namespace {

// Bar and space widths of each symbol value, bar first; 106 is the stop.
const char* const kPatterns[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};

enum Set { kSetA, kSetB, kSetC };
constexpr int kShift = 98, kFnc1 = 102, kFnc2 = 97, kFnc3 = 96, kStop = 106;
constexpr int kStart[3] = {103, 104, 105};
constexpr int kSwitchTo[3] = {101, 100, 99};  // CODE A, CODE B, CODE C
constexpr int kFnc4[3] = {101, 100, -1};

// The value of a data byte in a set, -1 when the set has no such character.
int valueIn(Set set, unsigned char ch) {
  switch (set) {
    case kSetA: return ch < 0x20 ? ch + 64 : ch < 0x60 ? ch - 32 : -1;
    case kSetB: return ch >= 0x20 && ch < 0x80 ? ch - 32 : -1;
    case kSetC: return ch < 100 ? ch : -1;
  }
  return -1;
}

// The value of the selector {x in a set, -1 when it has none there.
int selectorValue(Set& set, char x, bool& shift) {
  if (x >= 'A' && x <= 'C') {
    Set to = Set(x - 'A');
    if (to == set) return -2;  // nothing to encode
    set = to;
    return kSwitchTo[to];
  }
  bool text = set != kSetC;
  switch (x) {
    case '1': return kFnc1;
    case '2': return text ? kFnc2 : -1;
    case '3': return text ? kFnc3 : -1;
    case '4': return kFnc4[set];
    case 'S':
      shift = text;
      return text ? kShift : -1;
  }
  return -1;
}

std::string byteName(unsigned char ch) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", ch);
  return buf;
}

}  // namespace

Code128 code128Values(const std::string& data) {
  Code128 out;
  Set set = kSetB;
  std::size_t i = 0;
  if (data.size() >= 2 && data[0] == '{' && data[1] >= 'A' && data[1] <= 'C') {
    set = Set(data[1] - 'A');
    i = 2;
  }
  std::vector<int> v{kStart[set]};
  bool shift = false;
  for (; i < data.size(); ++i) {
    unsigned char ch = data[i];
    int value;
    if (ch == '{') {
      if (i + 1 == data.size()) return Code128{{}, "selector cut short"};
      char x = data[++i];
      if (x != '{') {  // {{ is the brace itself
        value = selectorValue(set, x, shift);
        if (value == -2) continue;
        if (value < 0) return Code128{{}, "selector {" + std::string(1, x) + " not allowed here"};
        if (value != kShift) shift = false;
        v.push_back(value);
        continue;
      }
    }
    Set in = shift ? (set == kSetA ? kSetB : kSetA) : set;
    shift = false;
    value = valueIn(in, ch);
    if (value < 0) return Code128{{}, "byte " + byteName(ch) + " is not in code set " + char('A' + in)};
    v.push_back(value);
  }
  if (v.size() < 2) return Code128{{}, "no data"};
  long sum = v[0];
  for (std::size_t k = 1; k < v.size(); ++k) sum += long(k) * v[k];
  v.push_back(int(sum % 103));
  v.push_back(kStop);
  out.values = std::move(v);
  return out;
}

std::vector<bool> code128Modules(const std::vector<int>& values) {
  std::vector<bool> modules;
  for (int value : values) {
    if (value < 0 || value > kStop) continue;
    bool bar = true;
    for (const char* w = kPatterns[value]; *w; ++w, bar = !bar) modules.insert(modules.end(), *w - '0', bar);
  }
  return modules;
}

}  // namespace vprinter
