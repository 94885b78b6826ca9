// Placeholder until the life cycle lands: every method refuses.
#include "service/printer/pos_printer.h"

#include "common/opos.h"

using namespace opos;

CPOSPrinter::CPOSPrinter() = default;
CPOSPrinter::~CPOSPrinter() = default;

int32_t CPOSPrinter::GetPropertyNumber(int32_t) { return 0; }
void CPOSPrinter::SetPropertyNumber(int32_t, int32_t) {}
std::string CPOSPrinter::GetPropertyString(int32_t) { return {}; }
void CPOSPrinter::SetPropertyString(int32_t, const std::string&) {}
int32_t CPOSPrinter::OpenService(const std::string&, const std::string&, IControlObject*) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::Close() { return OPOS_SUCCESS; }
int32_t CPOSPrinter::ClaimDevice(int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::ReleaseDevice() { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::CheckHealth(int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::DirectIO(int32_t, int32_t*, std::string*) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::COFreezeEvents(int32_t) { return OPOS_SUCCESS; }
int32_t CPOSPrinter::ClearOutput() { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::BeginInsertion(int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::BeginRemoval(int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::EndInsertion() { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::EndRemoval() { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::CutPaper(int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::PrintBarCode(int32_t, const std::string&, int32_t, int32_t, int32_t, int32_t, int32_t) {
  return OPOS_E_ILLEGAL;
}
int32_t CPOSPrinter::PrintBitmap(int32_t, const std::string&, int32_t, int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::PrintImmediate(int32_t, const std::string&) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::PrintNormal(int32_t, const std::string&) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::PrintTwoNormal(int32_t, const std::string&, const std::string&) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::RotatePrint(int32_t, int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::SetBitmap(int32_t, int32_t, const std::string&, int32_t, int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::SetLogo(int32_t, const std::string&) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::TransactionPrint(int32_t, int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::ValidateData(int32_t, const std::string&) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::ChangePrintSide(int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::MarkFeed(int32_t) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::ResetStatistics(const std::string&) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::RetrieveStatistics(std::string*) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::UpdateStatistics(const std::string&) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::CompareFirmwareVersion(const std::string&, int32_t*) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::UpdateFirmware(const std::string&) { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::ClearPrintArea() { return OPOS_E_ILLEGAL; }
int32_t CPOSPrinter::pageModePrint(int32_t) { return OPOS_E_ILLEGAL; }
