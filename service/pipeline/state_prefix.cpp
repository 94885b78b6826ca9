#include "service/pipeline/state_prefix.h"

#include "common/opos.h"
#include "service/pipeline/printer_commands.h"

namespace {

void PutColour1(const PrintState& s, ByteSink& out) {
  if (s.capRecColor == 0) return;
  out.Put(s.printerType == 2 ? cmd::kCharacterColour1 : cmd::kPrintColour1);
}

// Sends a setting once when its resend bit is set and its condition holds.
void Resend(PrintState& s, ByteSink& out, uint8_t bit, bool applies, std::string_view command, uint8_t n) {
  if (!applies || (s.resendFlags & bit) == 0) return;
  out.Put(command);
  out.PutByte(n);
  s.resendFlags = static_cast<uint8_t>(s.resendFlags & ~bit);
}

}  // namespace

uint8_t FontByteFor(const PrintState& s) { return s.recLineChars > s.linecharsNormal ? STYLE_SMALL_FONT : 0; }

void BuildStatePrefix(PrintState& s, ByteSink& out) {
  out.Put(cmd::kSelectPrinter);
  out.Put(cmd::kAlignLeft);
  PutColour1(s, out);
  Resend(s, out, RESEND_CODE_PAGE, s.codePage >= 0, cmd::kCodeTable, static_cast<uint8_t>(s.codePage));
  Resend(s, out, RESEND_INTERNATIONAL, s.internationalSet >= 0 && s.diInternational != 0, cmd::kInternationalSet,
         static_cast<uint8_t>(s.internationalSet));
  Resend(s, out, RESEND_UPSIDE_DOWN, s.capRecRotate180 != 0, cmd::kUpsideDown,
         s.rotation == opos::PTR_RP_ROTATE180 ? 1 : 0);
  s.fontByte = FontByteFor(s);
  out.Put(cmd::kPrintMode);
  out.PutByte(s.fontByte);
  Resend(s, out, RESEND_LINE_SPACING, true, cmd::kLineSpacing, static_cast<uint8_t>(2 * s.lineSpacingDots));
}

std::string BuildStatePrefix(PrintState& s) {
  StringSink out;
  BuildStatePrefix(s, out);
  return out.Take();
}
