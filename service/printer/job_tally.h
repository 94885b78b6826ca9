// What the application's print data puts on paper, for the statistics:
// each line feed ends a printed line; characters are the bytes from space
// up, leaving out the escape sequences (ESC | ...), which print nothing of
// their own; in UTF-8 text a character's continuation bytes do not count.
#pragma once

#include <string_view>

#include "service/printer/output_path.h"

JobTally TallyPrintData(std::string_view data, bool utf8 = false);
