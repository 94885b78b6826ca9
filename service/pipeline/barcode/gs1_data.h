// GS1 DataBar data as the printer takes it: the item number without its
// check digit (Omnidirectional and Stacked Omnidirectional), or GS1
// element strings with the application identifiers in parentheses
// (Expanded and Expanded Stacked).
#pragma once

#include <string>
#include <string_view>

// 13 digits as they are, or 14 whose last is the GS1 check digit of the
// first 13 (sent without it). False for anything else.
bool Gs1ItemNumber(std::string_view data, std::string* payload);

// "(01)09501101530003(3103)000123": starts with an identifier in
// parentheses, 2 to 255 characters of the GS1 character set.
bool Gs1ElementStrings(std::string_view data);
