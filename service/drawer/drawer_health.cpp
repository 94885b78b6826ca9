#include "service/drawer/drawer_health.h"

const HealthDialogTexts CDrawerHealthSubject::kTexts = {"Cash Drawer Check Health: ", "Drawer open in progress...",
                                                        true};
