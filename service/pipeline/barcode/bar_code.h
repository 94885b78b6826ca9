// Bar code commands: linear symbols (GS k) and the two-dimensional PDF417
// and QR Code symbols (GS ( k), sent as the printer's own commands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// QR Code has no OPOS symbology constant; this is the first value left to
// device makers.
constexpr int32_t kSymbologyQrCode = 501;

// Layout shared by every symbol: alignment (PTR_BC_*), text position
// (PTR_BC_TEXT_*) and the font byte of the human-readable text.
struct BarCodeLayout {
  int32_t alignment = 0;
  int32_t textPosition = 0;
  uint8_t fontByte = 0;
};

// Appends the commands of a linear symbol to *out. Returns 0, or
// OPOS_E_ILLEGAL for a symbology outside the table, a bad length or a bad
// character (then *out is unchanged). widthDots picks the module width;
// heightDots is sent as its low 8 bits.
int32_t BuildLinearBarCode(std::string_view data, int32_t symbology, int32_t heightDots, int32_t widthDots,
                           const BarCodeLayout& layout, std::string* out);

// PDF417 (PTR_BCS_PDF417) and QR Code (kSymbologyQrCode): fixed module
// sizes, automatic rows and columns. OPOS_E_ILLEGAL for any other symbology
// or data too long for the store command's 16-bit length.
int32_t BuildTwoDimensionalCode(std::string_view data, int32_t symbology, const BarCodeLayout& layout,
                                std::string* out);

// Module width (2..6) whose symbol fills widthDots most closely without
// exceeding it; 2 when none fits. dataLength is the length before any code
// set prefix; digitLike counts the Codabar characters 0-9 $ - A-D.
int32_t ChooseModuleWidth(int32_t symbology, int32_t dataLength, int32_t digitLike, int32_t widthDots);
