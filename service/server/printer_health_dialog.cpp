#include "service/server/printer_health_dialog.h"

#include "resources/ptrservice/health_dialog_ids.h"
#include "service/printer/printer_health.h"
#include "service/server/health_dialog.h"

namespace server {

void CPrinterHealthDlg::Show(CPOSPrinter& printer, HINSTANCE instance) {
  CPrinterHealthSubject subject(printer);
  CHealthDialogRules rules(subject, CPrinterHealthSubject::kTexts);
  CHealthDialog dialog(rules, {IDD_PRINTER_HEALTH, IDC_PRINT_TEST, {IDC_COVER_OPEN, IDC_PAPER_EMPTY, IDC_PAPER_NEAR_END}});
  dialog.Run(instance);
}

}  // namespace server
