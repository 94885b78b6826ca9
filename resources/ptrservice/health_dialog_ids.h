// Templates and control ids of the check-health dialogs (health_dialogs.rc
// and the dialog views share them).
#pragma once

#define IDD_PRINTER_HEALTH 1007
#define IDD_DRAWER_HEALTH 1008

#define IDC_PRINT_TEST 1000
#define IDC_TEST_RESULT 1001
#define IDC_COVER_OPEN 1002
#define IDC_PAPER_EMPTY 1003
#define IDC_PAPER_NEAR_END 1004
#define IDC_POWER_STATE 1006
#define IDC_IDENTITY_VALUES 1007
#define IDC_OPEN_DRAWER 1008
#define IDC_DRAWER_OPEN 1009
