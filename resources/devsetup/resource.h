// Resource ids of devsetup.exe, shared by the resource script and the code.
#pragma once

#define IDI_DEVSETUP 128
#define IDB_MAIN_BUTTON_DISABLED 129
#define IDB_MAIN_BUTTON 130
#define IDB_MAIN_BUTTON_PRESSED 131
#define IDB_MAIN_BACKGROUND 133
#define IDB_DIALOG_BACKGROUND 134
#define IDB_TREE_IMAGES 135
#define IDB_DIALOG_BUTTON 141
#define IDB_DIALOG_BUTTON_PRESSED 142
#define IDB_DIALOG_BUTTON_DISABLED 143

#define IDD_DEVSETUP 102
#define IDD_PORT_RANGE 137

// The hosted Control Objects: cash drawer in the main window and the cash
// drawer dialog, printer and line display in the main window and the port
// settings dialog.
#define IDC_OPOS_CASHDRAWER 1038
#define IDC_OPOS_POSPRINTER 1039
#define IDC_OPOS_LINEDISPLAY 1041

// Main window.
#define IDC_ADD_PRINTER 1100
#define IDC_ADD_CASHDRAWER 1101
#define IDC_ADD_DISPLAY 1102
#define IDC_REMOVE_DEVICE 1103
#define IDC_MODIFY_DEVICE 1104
#define IDC_CHECK_HEALTH 1105
#define IDC_PORT_RANGE 1106
#define IDC_NV_IMAGE 1107
#define IDC_EXIT 1108
#define IDC_DEVICE_TREE 1110
#define IDC_DESCRIPTION 1111
#define IDC_TREE_LABEL 1112

// Port range dialog (SAVE is IDOK, CANCEL is IDCANCEL).
#define IDC_SERIAL_COUNT 1120
#define IDC_SERIAL_SPIN 1121
#define IDC_PARALLEL_COUNT 1122
#define IDC_PARALLEL_SPIN 1123
#define IDC_SERIAL_LABEL 1124
#define IDC_SERIAL_RANGE 1125
#define IDC_PARALLEL_LABEL 1126
#define IDC_PARALLEL_RANGE 1127
#define IDC_RANGE_DEFAULT 1128
