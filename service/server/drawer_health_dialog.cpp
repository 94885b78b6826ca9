#include "service/server/drawer_health_dialog.h"

#include "resources/ptrservice/health_dialog_ids.h"
#include "service/drawer/drawer_health.h"
#include "service/server/health_dialog.h"

namespace server {

void CCashDrawerHealthDlg::Show(CCashDrawer& drawer, HINSTANCE instance) {
  CDrawerHealthSubject subject(drawer);
  CHealthDialogRules rules(subject, CDrawerHealthSubject::kTexts);
  CHealthDialog dialog(rules, {IDD_DRAWER_HEALTH, IDC_OPEN_DRAWER, {IDC_DRAWER_OPEN}});
  dialog.Run(instance);
}

}  // namespace server
