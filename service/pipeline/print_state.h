// Per-printer state that the print pipeline reads and the property and
// profile code writes. One instance lives in each CPOSPrinter: nothing here
// is shared between printer objects, so two printers with different
// resolutions, sizes or pending settings never disturb each other.
//
// Threading: the translator (application thread) and the output thread
// (state prefix in front of every job) both update resendFlags, fontByte and
// characterSize. The owner serialises every access to one PrintState with
// its own lock; nothing in service/pipeline locks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "service/pipeline/unicode/unicode_text.h"

// One row of a unit conversion table: v -> (v * mul + add) / div, computed
// in 64 bits and saturated to the 32-bit range.
struct ConversionRow {
  int32_t mul = 1;
  int32_t add = 0;
  int32_t div = 1;
  int32_t Apply(int32_t v) const;
};

// One row per MapMode (index 0 = dots ... 3 = metric).
struct ConversionTable {
  ConversionRow rows[4];
  // Applies the row of mapMode (1..4); other modes convert as dots.
  int32_t Convert(int32_t value, int32_t mapMode) const;
};

// Tables filled from the profile's resolution (see MakeUnitTables).
struct UnitTables {
  ConversionTable verticalDotsToUnits;
  ConversionTable verticalUnitsToDots;
  ConversionTable horizontalDotsToUnits;
  ConversionTable horizontalUnitsToDots;  // bar code and image widths
  ConversionTable feedUnitsToHalfDots;    // ESC|#uF
};

// Resolution assumed when a profile gives none (0, negative or missing).
constexpr int32_t kDefaultDpi = 180;

// Builds every table from the vertical and horizontal resolution in dots per
// inch. A resolution of 0 or less is replaced by kDefaultDpi, and the twips
// per dot are at least 1, so no table ever divides by zero.
UnitTables MakeUnitTables(int32_t dpiHigh, int32_t dpiWidth);

enum ResendBits : uint8_t {
  RESEND_CODE_PAGE = 1,
  RESEND_INTERNATIONAL = 2,
  RESEND_UPSIDE_DOWN = 4,
  RESEND_LINE_SPACING = 8,
  RESEND_ALL = 15,
};

struct PrintState {
  // Configuration (registry and capability profile).
  int32_t printerType = 0;  // registry "type": command class 1, 2 or 3
  int32_t capRecColor = 0;
  int32_t capRecPapercut = 0;
  int32_t capRecRotate180 = 0;
  int32_t diInternational = 0;  // profile DIRECTIO "DIINTERNATIONAL"
  int32_t dpiHigh = 180;
  int32_t dpiWidth = 180;
  int32_t linecharsNormal = 0;
  int32_t linecharsCompressed = 0;

  // Properties and derived values.
  int32_t mapMode = 1;
  int32_t binaryConversion = 0;
  int32_t recLineChars = 0;
  int32_t recLinesToPaperCut = 0;
  int32_t lineSpacingDots = 0;  // 12..50 once set by a property write
  int32_t rotation = 1;         // PTR_RP_NORMAL or PTR_RP_ROTATE180 matter
  int16_t codePage = 0;         // ESC t n (0..255); negative = none
  int8_t internationalSet = 0;  // ESC R n; negative = none
  uint8_t fontByte = 0;         // 1 when recLineChars > linecharsNormal
  uint8_t resendFlags = RESEND_ALL;

  // CharacterSet 997: the text of the data is UTF-8 (the owner sets this
  // before each call) and goes out as the model allows.
  bool unicodeText = false;
  unicode::UnicodeModel unicode;

  // Kept between print calls; reset only by ESC|N.
  uint8_t characterSize = 0;  // 1D 21 n

  // Stored by SetLogo and SetBitmap.
  std::string topLogo, bottomLogo;
  bool topLogoSet = false, bottomLogoSet = false;
  std::vector<std::string> bitmaps[2];
  // A stored band image: ESC|nB puts the line spacing in force back after it.
  bool bitmapRestoresSpacing[2] = {false, false};

  UnitTables units = MakeUnitTables(96, 208);
};
