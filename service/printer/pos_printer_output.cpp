// Text printing methods, transactions and clearing, which belong to the
// output path. Bar codes, images, cutting, rotation and page mode have
// files of their own (pos_printer_barcode, _bitmap, _page).
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

