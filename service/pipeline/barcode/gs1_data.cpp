// Data rules of the GS1 DataBar symbols.
#include "service/pipeline/barcode/gs1_data.h"

#include <cstring>

namespace {

constexpr size_t kItemDigits = 13;
constexpr size_t kMaxElementStrings = 255;

bool Digits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Weights 3 and 1 from the right of the 13 digits.
char CheckDigit(std::string_view digits) {
  int sum = 0;
  for (size_t i = 0; i < digits.size(); ++i) {
    const int weight = (digits.size() - i) % 2 == 1 ? 3 : 1;
    sum += (digits[i] - '0') * weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// The characters GS1 allows in element strings, and the parentheses
// around the identifiers.
bool Gs1Char(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c != '\0' && std::strchr("!\"%&'()*+,-./:;<=>?_", c) != nullptr);
}

}  // namespace

bool Gs1ItemNumber(std::string_view data, std::string* payload) {
  if (!Digits(data)) return false;
  if (data.size() == kItemDigits + 1 && data.back() == CheckDigit(data.substr(0, kItemDigits))) {
    data.remove_suffix(1);
  }
  if (data.size() != kItemDigits) return false;
  payload->assign(data);
  return true;
}

bool Gs1ElementStrings(std::string_view data) {
  if (data.size() < 2 || data.size() > kMaxElementStrings || data[0] != '(') return false;
  for (char c : data) {
    if (!Gs1Char(c)) return false;
  }
  return true;
}
