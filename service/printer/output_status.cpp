#include "service/printer/output_status.h"

#include <cstddef>

#include "common/opos.h"

using namespace opos;

namespace {

// First matching row wins; mask 0 matches always.
struct BitRule {
  int byteIndex;
  uint8_t mask;
  int32_t value;
};

template <std::size_t N>
int32_t FirstMatch(const BitRule (&rules)[N], const uint8_t status[4]) {
  for (const BitRule& r : rules) {
    if (r.mask == 0 || (status[r.byteIndex] & r.mask) != 0) return r.value;
  }
  return 0;
}

const BitRule kPaperRules[] = {
    {2, 0x0C, PTR_SUE_REC_EMPTY},
    {2, 0x03, PTR_SUE_REC_NEAREMPTY},
    {2, 0x00, PTR_SUE_REC_PAPEROK},
};

const BitRule kFailureRules[] = {
    {1, 0x20, TAVO_EFAIL_UNRECOVERABLE},
    {1, 0x08, TAVO_EFAIL_CUTTER},
    {1, 0x04, TAVO_EFAIL_MECHANICAL},
    {1, 0x00, 0},
};

// Cartridge 1 reports in byte 1 only; cartridge 2 splits over bytes 1 and 2.
const BitRule kCartridge1Rules[] = {
    {1, 0x04, PTR_CART_REMOVED}, {1, 0x02, PTR_CART_EMPTY}, {1, 0x20, PTR_CART_CLEANING},
    {1, 0x01, PTR_CART_NEAREND}, {1, 0x00, PTR_CART_OK},
};

const BitRule kCartridge2Rules[] = {
    {1, 0x08, PTR_CART_REMOVED}, {2, 0x02, PTR_CART_EMPTY}, {1, 0x20, PTR_CART_CLEANING},
    {2, 0x01, PTR_CART_NEAREND}, {1, 0x00, PTR_CART_OK},
};

}  // namespace

PrinterStatusReport DecodePrinterStatus(const uint8_t status[4]) {
  PrinterStatusReport r;
  r.paperStatus = FirstMatch(kPaperRules, status);
  r.recEmpty = r.paperStatus == PTR_SUE_REC_EMPTY ? 1 : 0;
  r.recNearEnd = r.paperStatus == PTR_SUE_REC_NEAREMPTY ? 1 : 0;
  r.coverOpen = (status[0] & 0x20) ? 1 : 0;
  r.coverStatus = r.coverOpen ? PTR_SUE_COVER_OPEN : PTR_SUE_COVER_OK;
  r.failureCode = FirstMatch(kFailureRules, status);
  r.powerState = (status[0] & 0x08) ? OPOS_PS_OFFLINE : OPOS_PS_ONLINE;
  return r;
}

bool IsCartridgeReply(const uint8_t status[4]) { return status[0] == 0x35 && status[3] == 0x00; }

CartridgeReport DecodeCartridgeStatus(const uint8_t status[4]) {
  CartridgeReport r;
  r.state[0] = FirstMatch(kCartridge1Rules, status);
  r.state[1] = FirstMatch(kCartridge2Rules, status);
  const uint8_t b1 = status[1];
  const uint8_t b2 = status[2];
  if ((((b2 & 0x02) | b1) & 0x0E) != 0) {
    r.errorCode = (b1 & 0x0C) ? OPOS_EPTR_REC_CARTRIDGE_REMOVED : OPOS_EPTR_REC_CARTRIDGE_EMPTY;
    r.status = PTR_SUE_REC_CARTRIDGE_EMPTY;
  } else if (b1 & 0x20) {
    r.errorCode = OPOS_EPTR_REC_HEAD_CLEANING;
    r.status = PTR_SUE_REC_HEAD_CLEANING;
  } else {
    r.status = ((b1 | b2) & 0x01) ? PTR_SUE_REC_CARTRIDGE_NEAREMPTY : PTR_SUE_REC_CARTRIDGE_OK;
  }
  return r;
}
