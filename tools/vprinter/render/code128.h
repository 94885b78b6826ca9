// Code 128 drawn with exactly the code sets the data chooses, as a printer
// does: the data starts with {A, {B or {C, may switch sets again, shift one
// character ({S) and carry function characters ({1 to {4); {{ is a brace.
// In set C each byte is one value 0..99.
#pragma once

#include <string>
#include <vector>

namespace vprinter {

struct Code128 {
  std::vector<int> values;  // start, data, check digit, stop
  std::string error;        // why the data cannot be encoded (values empty)
};

// Data without a leading set selector starts in set B.
Code128 code128Values(const std::string& data);
// The modules of the symbol, left to right: true for a bar.
std::vector<bool> code128Modules(const std::vector<int>& values);

}  // namespace vprinter
