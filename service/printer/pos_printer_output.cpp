// Printing methods. Text printing, transactions and clearing belong to the
// output path; bar codes, images, cutting, rotation and page mode refuse
// with 106 until their pipeline parts are attached.
#include "common/opos.h"
#include "service/printer/pos_printer.h"

using namespace opos;

int32_t CPOSPrinter::PrintNormal(int32_t station, const std::string& data) {
  return Result(output_->PrintNormal(station, data));
}
int32_t CPOSPrinter::PrintImmediate(int32_t station, const std::string& data) {
  return Result(output_->PrintImmediate(station, data));
}
int32_t CPOSPrinter::PrintTwoNormal(int32_t stations, const std::string& data1, const std::string& data2) {
  return Result(output_->PrintTwoNormal(stations, data1, data2));
}
int32_t CPOSPrinter::ValidateData(int32_t station, const std::string& data) {
  return Result(output_->ValidateData(station, data));
}
int32_t CPOSPrinter::TransactionPrint(int32_t station, int32_t control) {
  return Result(output_->TransactionPrint(station, control));
}
int32_t CPOSPrinter::ClearOutput() { return Result(output_->ClearOutput()); }

int32_t CPOSPrinter::CutPaper(int32_t) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::PrintBarCode(int32_t, const std::string&, int32_t, int32_t, int32_t, int32_t, int32_t) {
  return Result(OPOS_E_ILLEGAL);
}
int32_t CPOSPrinter::PrintBitmap(int32_t, const std::string&, int32_t, int32_t) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::RotatePrint(int32_t, int32_t) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::SetBitmap(int32_t, int32_t, const std::string&, int32_t, int32_t) {
  return Result(OPOS_E_ILLEGAL);
}
int32_t CPOSPrinter::SetLogo(int32_t, const std::string&) { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::ClearPrintArea() { return Result(OPOS_E_ILLEGAL); }
int32_t CPOSPrinter::pageModePrint(int32_t) { return Result(OPOS_E_ILLEGAL); }
