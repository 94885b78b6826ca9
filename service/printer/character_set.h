// CharacterSet values and the code-page number that ESC t selects for them.
#pragma once

#include <cstdint>
#include <string>

#include "common/codepage/code_page.h"
#include "service/printer/printer_data.h"

// The ESC t number for a CharacterSet value, or false when the printer has
// no such code page. Code page 858 sits at another number on the "PX-AA"
// models, so the device name takes part.
bool LookUpCodePage(int32_t characterSet, const std::string& deviceName, int16_t* codePage);

// Stores CharacterSet and its code page and marks the code page for
// resending; an unknown value changes nothing. Returns the result code.
int32_t ApplyCharacterSet(PrinterData& d, int32_t characterSet);

// CharacterSet 997 (Unicode) prints on every single-byte page of the
// model's CharacterSetList and, with "MultiByteMode=UTF8", in UTF-8 mode,
// or with "MultiByteMode=ShiftJIS", "GB18030", "Big5" or "KSC5601" in
// Kanji mode with that double-byte code (other values: neither); each call
// starts and ends on PC437. Fills d.print.unicode from the
// profile's values.
void BuildUnicodeModel(PrinterData& d);

// True when print text reaches the pipeline as UTF-8: CharacterSet 997,
// MapCharacterSet on and no BinaryConversion.
bool UnicodeText(const PrinterData& d);

// The code page table of a CharacterSet value (998 ASCII is sent as PC437,
// 999 as 1252, 1 is katakana); nullptr for the values without a known table.
const codepage::Table* CharacterSetTable(int32_t characterSet);
