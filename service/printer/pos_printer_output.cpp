// Printing methods. Their bodies belong to the print pipeline and the
// output path; until those are attached every one refuses with 106.
#include "service/printer/pos_printer.h"

#include "common/opos.h"

using namespace opos;

int32_t CPOSPrinter::CheckHealth(int32_t) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::DirectIO(int32_t, int32_t*, std::string*) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::ClearOutput() { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::CutPaper(int32_t) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::PrintBarCode(int32_t, const std::string&, int32_t, int32_t, int32_t, int32_t, int32_t) {
  return Result(OPOS_E_ILLEGAL);
}
int32_t CPOSPrinter::PrintBitmap(int32_t, const std::string&, int32_t, int32_t) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::PrintImmediate(int32_t, const std::string&) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::PrintNormal(int32_t, const std::string&) { return Result(OPOS_E_ILLEGAL); }
// Two-station printing has no second station on a receipt printer.
int32_t CPOSPrinter::PrintTwoNormal(int32_t, const std::string&, const std::string&) {
  return Result(OPOS_E_ILLEGAL);
}
int32_t CPOSPrinter::RotatePrint(int32_t, int32_t) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::SetBitmap(int32_t, int32_t, const std::string&, int32_t, int32_t) {
  return Result(OPOS_E_ILLEGAL);
}
int32_t CPOSPrinter::SetLogo(int32_t, const std::string&) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::TransactionPrint(int32_t, int32_t) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::ValidateData(int32_t, const std::string&) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::ClearPrintArea() { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::pageModePrint(int32_t) { return Result(OPOS_E_ILLEGAL); }
