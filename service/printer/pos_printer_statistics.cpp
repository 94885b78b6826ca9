// RetrieveStatistics, ResetStatistics and UpdateStatistics, and the
// counting of what printed. Every statistics method needs the device
// claimed and enabled: the maintenance counters are asked over its port.
#include "common/opos.h"
#include "service/printer/pos_printer.h"
#include "service/printer/printer_statistics.h"

using namespace opos;

namespace {

// Each question to the printer waits this long for its answer.
constexpr int32_t kCounterWaitMs = 1000;

// GS I n: the printer's identity.
constexpr uint8_t kFirmware = 65, kMaker = 66, kModel = 67, kSerial = 68;

std::string Or(std::string value, const std::string& otherwise) { return value.empty() ? otherwise : value; }

}  // namespace

StatisticsEquipment CPOSPrinter::Equipment(CPrinterCounters& counters) const {
  StatisticsEquipment e;
  e.unifiedPosVersion = "1." + std::to_string(d_.serviceObjectVersion / 1000 % 1000);
  e.deviceCategory = "POSPrinter";
  e.manufacturerName = Or(counters.Information(kMaker), "Tavo");
  e.modelName = Or(counters.Information(kModel), d_.deviceName);
  e.serialNumber = counters.Information(kSerial);
  e.firmwareRevision = counters.Information(kFirmware);
  e.interfaceName = StatisticsInterfaceOf(entry_.portName);
  return e;
}

int32_t CPOSPrinter::RetrieveStatistics(std::string* statistics) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return d_.resultCode;
  CPrinterCounters counters(portLink_, kCounterWaitMs);
  std::string document;
  const int32_t rc =
      stats_.Retrieve(*statistics, &counters, Equipment(counters), &document, &d_.resultCodeExtended);
  if (rc == OPOS_SUCCESS) *statistics = document;
  return Result(rc);
}

int32_t CPOSPrinter::ResetStatistics(const std::string& names) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return d_.resultCode;
  CPrinterCounters counters(portLink_, kCounterWaitMs);
  return Result(stats_.Reset(names, &counters, &d_.resultCodeExtended));
}

int32_t CPOSPrinter::UpdateStatistics(const std::string& statistics) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return d_.resultCode;
  CPrinterCounters counters(portLink_, kCounterWaitMs);
  return Result(stats_.Update(statistics, &counters, &d_.resultCodeExtended));
}

// Output and monitor threads: the store takes its own lock.
void CPOSPrinter::CountPrinted(const JobTally& tally) {
  stats_.Add(printer_stat::kLines, tally.lines);
  stats_.Add(printer_stat::kCharacters, tally.characters);
  stats_.Add(printer_stat::kBarcodes, tally.barcodes);
}

void CPOSPrinter::CountEvent(OutputEvent event) {
  switch (event) {
    case OutputEvent::CoverOpened: stats_.Add(printer_stat::kCoverOpens, 1); break;
    case OutputEvent::CutFailed: stats_.Add(printer_stat::kFailedCuts, 1); break;
    case OutputEvent::PrinterFault: stats_.Add(printer_stat::kFaults, 1); break;
    case OutputEvent::WriteFailed: stats_.Add(printer_stat::kCommunicationErrors, 1); break;
  }
}
