// Decoding of the printer's automatic status and ink status replies into
// property values and status-update values. Pure functions: the output path
// applies the results and decides which events to post.
#pragma once

#include <cstdint>

struct PrinterStatusReport {
  int32_t recEmpty = 0;
  int32_t recNearEnd = 0;
  int32_t paperStatus = 0;  // PTR_SUE_REC_EMPTY / _NEAREMPTY / _PAPEROK
  int32_t coverOpen = 0;
  int32_t coverStatus = 0;  // PTR_SUE_COVER_OPEN / _OK
  int32_t failureCode = 0;  // 0 or TAVO_EFAIL_* (401, 402, 403)
  int32_t powerState = 0;   // OPOS_PS_ONLINE / OPOS_PS_OFFLINE
};

// status: the four automatic status bytes b0..b3.
PrinterStatusReport DecodePrinterStatus(const uint8_t status[4]);

struct CartridgeReport {
  int32_t state[2] = {0, 0};  // PTR_CART_* of cartridge 1 and 2
  int32_t errorCode = 0;      // 0 or OPOS_EPTR_REC_CARTRIDGE_* / _HEAD_CLEANING
  int32_t status = 0;         // PTR_SUE_REC_CARTRIDGE_* / _HEAD_CLEANING
};

// True for an ink status reply: first byte 35, fourth byte 00.
bool IsCartridgeReply(const uint8_t status[4]);
CartridgeReport DecodeCartridgeStatus(const uint8_t status[4]);
