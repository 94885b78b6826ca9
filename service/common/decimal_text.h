// The decimal text-to-integer rule used for numbers stored as text:
// leading blanks and one sign are taken, the first non-digit ends the
// number, no digits give 0. Values beyond 32 bits saturate instead of
// wrapping.
#pragma once

#include <cstdint>
#include <string>

int32_t DecimalTextToInt(const std::string& text);
