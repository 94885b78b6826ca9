// OPOS constants: published values of the standard, plus this device's
// extended result codes. Values used by the Service Objects and devsetup.
#pragma once

#include <cstdint>
#include <climits>

namespace opos {

// Result codes.
enum : int32_t {
  OPOS_SUCCESS = 0,
  OPOS_E_CLOSED = 101,
  OPOS_E_CLAIMED = 102,
  OPOS_E_NOTCLAIMED = 103,
  OPOS_E_NOSERVICE = 104,
  OPOS_E_DISABLED = 105,
  OPOS_E_ILLEGAL = 106,
  OPOS_E_NOHARDWARE = 107,
  OPOS_E_OFFLINE = 108,
  OPOS_E_NOEXIST = 109,
  OPOS_E_EXISTS = 110,
  OPOS_E_FAILURE = 111,
  OPOS_E_TIMEOUT = 112,
  OPOS_E_BUSY = 113,
  OPOS_E_EXTENDED = 114,
};

// Time-outs of ClaimDevice and the other waiting methods.
enum : int32_t { OPOS_FOREVER = -1 };

// Extended codes that go with OPOS_E_FAILURE on this device.
enum : int32_t {
  TAVO_EFAIL_UNRECOVERABLE = 401,
  TAVO_EFAIL_CUTTER = 402,
  TAVO_EFAIL_MECHANICAL = 403,
  TAVO_EFAIL_SHORT_WRITE = 410,
};

// Extended codes that go with OPOS_E_EXTENDED, every device class.
enum : int32_t {
  OPOS_ESTATS_ERROR = 280,  // a statistic could not be retrieved, reset or updated
  OPOS_EFIRMWARE_BAD_FILE = 281,
  OPOS_ESTATS_DEPENDENCY = 282,
};

// Extended codes that go with OPOS_E_EXTENDED (POS printer).
enum : int32_t {
  OPOS_EPTR_COVER_OPEN = 201,
  OPOS_EPTR_REC_EMPTY = 203,
  OPOS_EPTR_TOOBIG = 206,
  OPOS_EPTR_REC_CARTRIDGE_REMOVED = 211,
  OPOS_EPTR_REC_CARTRIDGE_EMPTY = 212,
  OPOS_EPTR_REC_HEAD_CLEANING = 213,
};

// State property.
enum : int32_t {
  OPOS_S_CLOSED = 1,
  OPOS_S_IDLE = 2,
  OPOS_S_BUSY = 3,
  OPOS_S_ERROR = 4,
};

// PowerState / PowerNotify.
enum : int32_t {
  OPOS_PN_DISABLED = 0,
  OPOS_PN_ENABLED = 1,
  OPOS_PS_UNKNOWN = 2000,
  OPOS_PS_ONLINE = 2001,
  OPOS_PS_OFF = 2002,
  OPOS_PS_OFFLINE = 2003,
  OPOS_PS_OFF_OFFLINE = 2004,
};

// Status-update values (common and POS printer).
enum : int32_t {
  PTR_SUE_COVER_OPEN = 11,
  PTR_SUE_COVER_OK = 12,
  PTR_SUE_REC_EMPTY = 24,
  PTR_SUE_REC_NEAREMPTY = 25,
  PTR_SUE_REC_PAPEROK = 26,
  PTR_SUE_REC_CARTRIDGE_EMPTY = 45,
  PTR_SUE_REC_HEAD_CLEANING = 46,
  PTR_SUE_REC_CARTRIDGE_NEAREMPTY = 47,
  PTR_SUE_REC_CARTRIDGE_OK = 48,
  PTR_SUE_IDLE = 1001,
  OPOS_SUE_POWER_ONLINE = 2001,
  OPOS_SUE_POWER_OFF = 2002,
  OPOS_SUE_POWER_OFFLINE = 2003,
  OPOS_SUE_POWER_OFF_OFFLINE = 2004,
};

// Cash drawer status-update values.
enum : int32_t {
  CASH_SUE_DRAWERCLOSED = 0,
  CASH_SUE_DRAWEROPEN = 1,
};

// Error locus and response (SOError).
enum : int32_t {
  OPOS_EL_OUTPUT = 1,
  OPOS_EL_INPUT = 2,
  OPOS_EL_INPUT_DATA = 3,
  OPOS_ER_RETRY = 11,
  OPOS_ER_CLEAR = 12,
  OPOS_ER_CONTINUEINPUT = 13,
};

// CheckHealth levels.
enum : int32_t {
  OPOS_CH_INTERNAL = 1,
  OPOS_CH_EXTERNAL = 2,
  OPOS_CH_INTERACTIVE = 3,
};

// BinaryConversion.
enum : int32_t {
  OPOS_BC_NONE = 0,
  OPOS_BC_NIBBLE = 1,
  OPOS_BC_DECIMAL = 2,
};

// POS printer stations, map modes, alignment, rotation, transaction, page mode.
enum : int32_t {
  PTR_S_JOURNAL = 1,
  PTR_S_RECEIPT = 2,
  PTR_S_SLIP = 4,

  PTR_MM_DOTS = 1,
  PTR_MM_TWIPS = 2,
  PTR_MM_ENGLISH = 3,
  PTR_MM_METRIC = 4,

  PTR_BM_ASIS = -11,
  PTR_BM_LEFT = -1,
  PTR_BM_CENTER = -2,
  PTR_BM_RIGHT = -3,

  PTR_L_TOP = 1,
  PTR_L_BOTTOM = 2,

  PTR_BC_LEFT = -1,
  PTR_BC_CENTER = -2,
  PTR_BC_RIGHT = -3,
  PTR_BC_TEXT_NONE = -11,
  PTR_BC_TEXT_ABOVE = -12,
  PTR_BC_TEXT_BELOW = -13,

  PTR_RP_NORMAL = 0x0001,
  PTR_RP_RIGHT90 = 0x0101,
  PTR_RP_LEFT90 = 0x0102,
  PTR_RP_ROTATE180 = 0x0103,

  PTR_TP_TRANSACTION = 11,
  PTR_TP_NORMAL = 12,

  PTR_PM_PAGE_MODE = 1,
  PTR_PM_PRINT_SAVE = 2,
  PTR_PM_NORMAL = 3,
  PTR_PM_CANCEL = 4,

  PTR_CART_UNKNOWN = 0x01000000,
  PTR_CART_OK = 0x10000000,
  PTR_CART_REMOVED = 0x20000000,
  PTR_CART_EMPTY = 0x40000000,
  PTR_CART_CLEANING = 0x08000000,

  PTR_CS_UNICODE = 997,
  PTR_CS_ASCII = 998,
  PTR_CS_ANSI = 999,
};
// 0x80000000 does not fit the enum's int32_t.
constexpr int32_t PTR_CART_NEAREND = INT32_MIN;

// Bar code symbologies (the ones the printer supports are in the pipeline).
enum : int32_t {
  PTR_BCS_UPCA = 101,
  PTR_BCS_UPCE = 102,
  PTR_BCS_JAN8 = 103,
  PTR_BCS_EAN8 = 103,
  PTR_BCS_JAN13 = 104,
  PTR_BCS_EAN13 = 104,
  PTR_BCS_TF = 105,
  PTR_BCS_ITF = 106,
  PTR_BCS_Codabar = 107,
  PTR_BCS_Code39 = 108,
  PTR_BCS_Code93 = 109,
  PTR_BCS_Code128 = 110,
  PTR_BCS_UPCA_S = 111,
  PTR_BCS_UPCE_S = 112,
  PTR_BCS_UPCD1 = 113,
  PTR_BCS_UPCD2 = 114,
  PTR_BCS_UPCD3 = 115,
  PTR_BCS_UPCD4 = 116,
  PTR_BCS_UPCD5 = 117,
  PTR_BCS_EAN8_S = 118,
  PTR_BCS_EAN13_S = 119,
  PTR_BCS_EAN128 = 120,
  PTR_BCS_OCRA = 121,
  PTR_BCS_OCRB = 122,
  PTR_BCS_Code128_Parsed = 123,
  PTR_BCS_GS1DATABAR = 131,  // Omnidirectional (formerly RSS-14)
  PTR_BCS_RSS14 = 131,
  PTR_BCS_GS1DATABAR_E = 132,  // Expanded
  PTR_BCS_RSS_EXPANDED = 132,
  PTR_BCS_GS1DATABAR_S = 133,    // Stacked Omnidirectional
  PTR_BCS_GS1DATABAR_E_S = 134,  // Expanded Stacked
  PTR_BCS_PDF417 = 201,
  PTR_BCS_MAXICODE = 202,
  PTR_BCS_DATAMATRIX = 203,
  PTR_BCS_QRCODE = 204,
  PTR_BCS_UQRCODE = 205,  // Micro QR Code
  PTR_BCS_AZTEC = 206,
  PTR_BCS_UPDF417 = 207,  // Micro PDF417
  PTR_BCS_OTHER = 501,    // first value left to device makers
};

}  // namespace opos
