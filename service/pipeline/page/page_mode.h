// Page mode pieces of the pipeline: the page header and the print area
// text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Selects page mode and its print direction (1..4).
std::string BuildPageModeHeader(int32_t printDirection);

// A decimal number read as atoi reads it: leading blanks, a sign, digits,
// anything after them ignored; saturated to the 32-bit range.
int32_t ParseDecimalField(std::string_view text);

// "x,y,w,h": four decimal fields, each read by ParseDecimalField. False
// when the text has fewer than three commas.
bool ParsePrintArea(std::string_view text, int32_t fields[4]);
