// Status block checks: whatever the printer sends, each framed block
// decodes to values from the property's own set, and the decoding of a
// block does not depend on what came before it.
#include <algorithm>
#include <initializer_list>

#include "common/opos.h"
#include "portmgr/core/framer.h"
#include "service/printer/output_status.h"
#include "tests/fuzz/fuzz_drivers.h"

using namespace opos;

namespace {

bool OneOf(int32_t v, std::initializer_list<int32_t> set) {
  for (int32_t s : set) {
    if (v == s) return true;
  }
  return false;
}

std::string CheckPrinterStatus(const uint8_t b[4]) {
  const PrinterStatusReport r = DecodePrinterStatus(b);
  if (!OneOf(r.paperStatus, {PTR_SUE_REC_EMPTY, PTR_SUE_REC_NEAREMPTY, PTR_SUE_REC_PAPEROK})) return "paper status";
  if (r.recEmpty != (r.paperStatus == PTR_SUE_REC_EMPTY) || r.recNearEnd != (r.paperStatus == PTR_SUE_REC_NEAREMPTY))
    return "paper flags disagree with the status";
  if (!OneOf(r.coverStatus, {PTR_SUE_COVER_OPEN, PTR_SUE_COVER_OK}) || r.coverOpen != (r.coverStatus == PTR_SUE_COVER_OPEN))
    return "cover";
  if (!OneOf(r.failureCode, {0, TAVO_EFAIL_UNRECOVERABLE, TAVO_EFAIL_CUTTER, TAVO_EFAIL_MECHANICAL})) return "failure";
  if (!OneOf(r.powerState, {OPOS_PS_ONLINE, OPOS_PS_OFFLINE})) return "power state";
  return "";
}

std::string CheckCartridgeStatus(const uint8_t b[4]) {
  const CartridgeReport r = DecodeCartridgeStatus(b);
  for (int32_t state : r.state) {
    if (!OneOf(state, {PTR_CART_OK, PTR_CART_REMOVED, PTR_CART_EMPTY, PTR_CART_NEAREND, PTR_CART_CLEANING}))
      return "cartridge state";
  }
  if (!OneOf(r.status, {PTR_SUE_REC_CARTRIDGE_EMPTY, PTR_SUE_REC_HEAD_CLEANING, PTR_SUE_REC_CARTRIDGE_NEAREMPTY,
                        PTR_SUE_REC_CARTRIDGE_OK}))
    return "cartridge status";
  if (!OneOf(r.errorCode, {0, OPOS_EPTR_REC_CARTRIDGE_REMOVED, OPOS_EPTR_REC_CARTRIDGE_EMPTY,
                           OPOS_EPTR_REC_HEAD_CLEANING}))
    return "cartridge error code";
  if ((r.errorCode != 0) != (r.status == PTR_SUE_REC_CARTRIDGE_EMPTY || r.status == PTR_SUE_REC_HEAD_CLEANING))
    return "cartridge error without its status";
  return "";
}

}  // namespace

std::string RunStatusBlockInput(const uint8_t* data, size_t size) {
  if (size < 1) return "";
  portmgr::CStatusFramer framer;
  portmgr::FrameOutput out;
  unsigned step = data[0];
  for (size_t at = 1; at < size;) {
    step = step * 1103515245u + 12345u;
    const size_t take = std::min<size_t>(1 + (step >> 16) % 5, size - at);
    framer.Feed(data + at, take, &out);
    at += take;
  }
  framer.Expire(&out);
  for (const portmgr::StatusBlock& block : out.blocks) {
    const std::string problem = IsCartridgeReply(block.data()) ? CheckCartridgeStatus(block.data())
                                                               : CheckPrinterStatus(block.data());
    if (!problem.empty()) return problem;
  }
  // Any four bytes decode, framed or not.
  for (size_t at = 1; at + 4 <= size; at += 4) {
    std::string problem = CheckPrinterStatus(data + at);
    if (problem.empty()) problem = CheckCartridgeStatus(data + at);
    if (!problem.empty()) return problem;
  }
  return "";
}
