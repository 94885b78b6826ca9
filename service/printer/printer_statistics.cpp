#include "service/printer/printer_statistics.h"

#include "service/printer/block_reply.h"
#include "service/printer/output_path.h"

namespace {

using S = StatisticSource;

// Maintenance counters: resettable paper fed (lines), head energised
// (lines), cutter operations, hours in operation.
constexpr int32_t kFeedCounter = 20, kHeadCounter = 21, kCutterCounter = 50, kHoursCounter = 70;

}  // namespace

std::vector<StatisticDefinition> PrinterStatisticsTable() {
  using namespace printer_stat;
  return WithEquipmentStatistics({
      {"HoursPoweredCount", true, S::Device, kHoursCounter},
      {kCommunicationErrors, true, S::Kept},
      {kBarcodes, true, S::Kept},
      {"FormInsertionCount", true, S::NotKept},
      {"HomeErrorCount", true, S::NotKept},
      {"JournalCharacterPrintedCount", true, S::NotKept},
      {"JournalLinePrintedCount", true, S::NotKept},
      {"MaximumTempReachedCount", true, S::NotKept},
      {"NVRAMWriteCount", true, S::NotKept},
      {"PaperCutCount", true, S::Device, kCutterCounter},
      {kFailedCuts, true, S::Kept},
      {kFaults, true, S::Kept},
      {"PrintSideChangeCount", true, S::NotKept},
      {"FailedPrintSideChangeCount", true, S::NotKept},
      {kCharacters, true, S::Kept},
      {kCoverOpens, true, S::Kept},
      {"ReceiptLineFeedCount", true, S::Device, kFeedCounter},
      {kLines, true, S::Kept},
      {"SlipCharacterPrintedCount", true, S::NotKept},
      {"SlipCoverOpenCount", true, S::NotKept},
      {"SlipLineFeedCount", true, S::NotKept},
      {"SlipLinePrintedCount", true, S::NotKept},
      {"StampFiredCount", true, S::NotKept},
      {"HeadEnergizedLineCount", false, S::Device, kHeadCounter},
  });
}

bool CPrinterCounters::Ask(const std::string& request, std::string* text) {
  if (silent_) return false;
  const bool ok = AskBlockReply(port_, request, waitMs_, text);
  answered_ = answered_ || ok;
  silent_ = !answered_;
  return ok;
}

bool CPrinterCounters::ReadCounter(int32_t counter, int64_t* value) {
  std::string text;
  return Ask(MaintenanceCounterRequest(counter), &text) && ParseStatisticCount(text, value);
}

bool CPrinterCounters::ResetCounter(int32_t counter) {
  const std::string command = MaintenanceCounterReset(counter);
  if (!port_.Lock(waitMs_)) return false;
  const bool written = port_.Write(command.data(), static_cast<int32_t>(command.size())) ==
                       static_cast<int32_t>(command.size());
  port_.Unlock();
  return written;
}

std::string CPrinterCounters::Information(uint8_t n) {
  std::string text;
  return Ask(PrinterInformationRequest(n), &text) ? text : std::string();
}
