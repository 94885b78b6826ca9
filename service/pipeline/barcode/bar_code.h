// Bar code commands: linear symbols (GS k) and the two-dimensional and
// stacked symbols (GS ( k), sent as the printer's own commands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// QR Code as applications wrote it before the standard had a constant for
// it: the first value left to device makers. It prints as PTR_BCS_QRCODE.
constexpr int32_t kSymbologyQrCode = 501;

// True for the symbologies BuildTwoDimensionalCode makes.
bool IsTwoDimensional(int32_t symbology);

// Data Matrix, Micro QR, Aztec and GS1 DataBar need printer features not
// every model has: they are offered only where the model's profile lists
// their numbers (comma-separated) in profileList. Every other symbology is
// left to the builders to accept or refuse.
bool SymbologyOffered(int32_t symbology, std::string_view profileList);

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

// PDF417, QR Code (PTR_BCS_QRCODE and kSymbologyQrCode alike), Micro QR,
// Data Matrix, Aztec and the stacked GS1 DataBar symbols: fixed module
// sizes, automatic rows, columns and symbol sizes. OPOS_E_ILLEGAL for any
// other symbology, data the symbol cannot hold or data too long for the
// store command's 16-bit length (then *out is unchanged).
int32_t BuildTwoDimensionalCode(std::string_view data, int32_t symbology, const BarCodeLayout& layout,
                                std::string* out);

// Module width (2..6) whose symbol fills widthDots most closely without
// exceeding it; 2 when none fits. dataLength is the length before any code
// set prefix; digitLike counts the Codabar characters 0-9 $ - A-D. For GS1
// DataBar Expanded dataLength counts the characters without the
// parentheses and digitLike the digits among them.
int32_t ChooseModuleWidth(int32_t symbology, int32_t dataLength, int32_t digitLike, int32_t widthDots);
