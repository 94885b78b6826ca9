// The printer's statistics: what each name counts and where its value
// comes from. The printer's maintenance counters give the paper fed, the
// cuts and the hours (GS g 2, reset by GS g 0); the Service Object counts
// the rest as jobs print and as the printer reports cover and failures.
#pragma once

#include <string>
#include <vector>

#include "service/common/service_statistics.h"

class IOutputPort;

std::vector<StatisticDefinition> PrinterStatisticsTable();

// Names of the statistics the Service Object counts.
namespace printer_stat {
inline constexpr char kCommunicationErrors[] = "CommunicationErrorCount";
inline constexpr char kBarcodes[] = "BarcodePrintedCount";
inline constexpr char kFailedCuts[] = "FailedPaperCutCount";
inline constexpr char kFaults[] = "PrinterFaultCount";
inline constexpr char kCharacters[] = "ReceiptCharacterPrintedCount";
inline constexpr char kCoverOpens[] = "ReceiptCoverOpenCount";
inline constexpr char kLines[] = "ReceiptLinePrintedCount";
}  // namespace printer_stat

// The maintenance counters and the printer's identity, asked over its
// port; each question waits up to waitMs for the answer.
class CPrinterCounters : public IStatisticsDevice {
 public:
  CPrinterCounters(IOutputPort& port, int32_t waitMs) : port_(port), waitMs_(waitMs) {}
  bool ReadCounter(int32_t counter, int64_t* value) override;
  bool ResetCounter(int32_t counter) override;
  // GS I n text (65 firmware, 66 maker, 67 model, 68 serial); empty when
  // the printer does not answer.
  std::string Information(uint8_t n);

 private:
  bool Ask(const std::string& request, std::string* text);

  IOutputPort& port_;
  int32_t waitMs_;
  bool answered_ = false;  // some question had its answer
  bool silent_ = false;    // the first went unanswered: the printer has no block replies
};
