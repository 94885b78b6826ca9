#include "service/printer/printer_output_host.h"

#include "common/opos.h"
#include "service/pipeline/binary_conversion.h"
#include "service/pipeline/state_prefix.h"
#include "service/pipeline/translator.h"
#include "service/printer/character_set.h"
#include "service/printer/job_tally.h"

// Called with the output path's PrintStateMutex held.
std::string CPOSPrinter::OutputHost::BuildStatePrefix() { return ::BuildStatePrefix(p_.d_.print); }

int32_t CPOSPrinter::OutputHost::TranslateText(const std::string& data, std::string* out) {
  PrintState& s = p_.d_.print;
  s.unicodeText = ::UnicodeText(p_.d_);
  return TranslatePrintData(s, DecodeBinaryConversion(s.binaryConversion, data), out);
}

JobTally CPOSPrinter::OutputHost::TallyText(const std::string& data) {
  return TallyPrintData(DecodeBinaryConversion(p_.d_.print.binaryConversion, data), ::UnicodeText(p_.d_));
}

void CPOSPrinter::OutputHost::ResetRotation() {
  p_.d_.print.rotation = opos::PTR_RP_NORMAL;
  p_.d_.print.resendFlags |= RESEND_UPSIDE_DOWN;
}

void CPOSPrinter::OutputHost::MarkResendAll() { p_.d_.print.resendFlags |= RESEND_ALL; }
