// Decoding of method data by the BinaryConversion property, done before any
// other processing of print data and logos.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// OPOS_BC_NIBBLE: two characters per byte; OPOS_BC_DECIMAL: three decimal
// characters per byte (low 8 bits kept). A trailing incomplete group is
// dropped. OPOS_BC_NONE and any other value return the text unchanged.
std::string DecodeBinaryConversion(int32_t binaryConversion, std::string_view text);
