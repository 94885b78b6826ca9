// Cutting, rotation and page mode.
#include "common/opos.h"
#include "service/pipeline/page/page_mode.h"
#include "service/pipeline/printer_commands.h"
#include "service/pipeline/translator.h"
#include "service/printer/page_mode_properties.h"
#include "service/printer/pos_printer.h"
#include "service/printer/printer_output_host.h"

using namespace opos;

namespace {

bool KnownRotation(int32_t r) {
  return r == PTR_RP_NORMAL || r == PTR_RP_RIGHT90 || r == PTR_RP_LEFT90 || r == PTR_RP_ROTATE180;
}

}  // namespace

// The cut goes through the translator as ESC|#P, so it carries the state
// prefixes of any print data; the percentage only gates.
int32_t CPOSPrinter::CutPaper(int32_t percentage) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED | CHECK_NOT_BUSY)) return d_.resultCode;
  if (percentage < 0 || percentage > 100 || d_.print.capRecPapercut == 0) return Result(OPOS_E_ILLEGAL);
  std::string bytes;
  {
    std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
    TranslatePrintData(d_.print, "\x1B|" + std::to_string(percentage) + "P", &bytes);
  }
  output_->SubmitOutput(flags_.asyncMode != 0, {bytes});
  return d_.resultCode;
}

int32_t CPOSPrinter::RotatePrint(int32_t station, int32_t rotation) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED | CHECK_NOT_BUSY)) return d_.resultCode;
  if (station != PTR_S_RECEIPT || !KnownRotation(rotation)) return Result(OPOS_E_ILLEGAL);
  std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
  d_.print.rotation = rotation;
  d_.print.resendFlags |= RESEND_UPSIDE_DOWN;
  return Result(OPOS_SUCCESS);
}

// Prints the collected page and leaves page mode (PTR_PM_NORMAL) or keeps
// it and the page for printing again (PTR_PM_PRINT_SAVE). A page that could
// not be printed is kept, page mode stays on, and the failure is returned,
// so the application can print it again.
int32_t CPOSPrinter::PrintPage(bool keep) {
  PageModeProperties& p = d_.pageMode;
  p.active = false;
  output_->SubmitOutput(false, p.buffer, p.tally);
  if (d_.resultCode == OPOS_SUCCESS) output_->SubmitOutput(false, {std::string(cmd::kPagePrintAndLeave)});
  const int32_t rc = d_.resultCode;
  if (rc != OPOS_SUCCESS || keep) {
    p.active = true;
    return rc;
  }
  p.buffer.clear();
  p.tally = {};
  return OPOS_SUCCESS;
}

int32_t CPOSPrinter::pageModePrint(int32_t control) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return d_.resultCode;
  PageModeProperties& p = d_.pageMode;
  if (p.station != PTR_S_RECEIPT || d_.capRecPageMode == 0 || control < PTR_PM_PAGE_MODE || control > PTR_PM_CANCEL) {
    return Result(OPOS_E_ILLEGAL);
  }
  switch (control) {
    case PTR_PM_PAGE_MODE:
      p.active = true;
      p.geometryChanged = true;
      break;
    case PTR_PM_PRINT_SAVE:
    case PTR_PM_NORMAL:
      if (!p.active) return Result(OPOS_E_ILLEGAL);
      return Result(PrintPage(control == PTR_PM_PRINT_SAVE));
    default:
      p.active = false;
      p.buffer.clear();
      p.tally = {};
      break;
  }
  return Result(OPOS_SUCCESS);
}

int32_t CPOSPrinter::ClearPrintArea() {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return d_.resultCode;
  SetPageModePrintArea(d_, "0,0," + d_.pageMode.area);
  return pageModePrint(PTR_PM_CANCEL);
}

// Submissions while a page is collected; the page header goes in front of
// the first strings of a page whose geometry changed.
bool CPOSPrinter::OutputHost::AppendToPage(const std::vector<std::string>& strings, const JobTally& tally) {
  PageModeProperties& p = p_.d_.pageMode;
  if (!p.active) return false;
  if (p.geometryChanged && p.buffer.empty()) {
    p.buffer.push_back(BuildPageModeHeader(p.printDirection));
    p.geometryChanged = false;
  }
  p.buffer.insert(p.buffer.end(), strings.begin(), strings.end());
  p.tally += tally;
  return true;
}
