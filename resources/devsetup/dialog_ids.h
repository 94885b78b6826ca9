// Resource ids of the device dialogs: the add-device wizard's two choices,
// the port settings dialog and the cash drawer dialog.
#pragma once

#define IDD_PORT_SETTINGS 132
#define IDD_CASH_DRAWER 133
#define IDD_SELECT_MODEL 138
#define IDD_SELECT_PRINTER 139

// Check Health on both device dialogs (OK and Cancel are IDOK, IDCANCEL).
#define IDC_CHECK_HEALTH_BUTTON 3

// Port settings dialog.
#define IDC_PS_PORT 1006
#define IDC_PS_BAUD_RATE 1007
#define IDC_PS_BIT_LENGTH 1008
#define IDC_PS_PARITY 1009
#define IDC_PS_STOP_BITS 1010
#define IDC_PS_FLOW_CONTROL 1011
#define IDC_PS_OUT_INTERVAL 1014
#define IDC_PS_INPUT_SLEEP 1015
#define IDC_PS_DEVICE_NAME 1016
#define IDC_PS_LDN 1018
#define IDC_PS_INPUT_BUF 1020
#define IDC_PS_OUTPUT_BUF 1021
#define IDC_PS_PORT_LABEL 1023
#define IDC_PS_BAUD_LABEL 1024
#define IDC_PS_SERIAL 1048
#define IDC_PS_USB 1049
#define IDC_PS_ETHERNET 1050
#define IDC_PS_PARALLEL 1052
#define IDC_PS_IP_ADDRESS 1053
#define IDC_PS_TCP_PORT 1054
#define IDC_PS_LABEL_DEVICE 1060
#define IDC_PS_LABEL_LDN 1061
#define IDC_PS_LABEL_INTERFACE 1062
#define IDC_PS_LABEL_BITS 1063
#define IDC_PS_LABEL_PARITY 1064
#define IDC_PS_LABEL_STOP 1065
#define IDC_PS_LABEL_FLOW 1066
#define IDC_PS_LABEL_INPUT_BUF 1067
#define IDC_PS_LABEL_OUTPUT_BUF 1068
#define IDC_PS_LABEL_INTERVAL 1069
#define IDC_PS_LABEL_SLEEP 1070

// Cash drawer dialog.
#define IDC_CD_PIN_2 1003
#define IDC_CD_PIN_5 1004
#define IDC_CD_LEVEL_LOW 1005
#define IDC_CD_LEVEL_HIGH 1006
#define IDC_CD_DRAWER 1009
#define IDC_CD_PULSE_ON 1012
#define IDC_CD_PULSE_OFF 1013
#define IDC_CD_APPLY 1014
#define IDC_CD_LDN 1018
#define IDC_CD_PRINTER 1036
#define IDC_CD_LABEL_PRINTER 1080
#define IDC_CD_LABEL_DRAWER 1081
#define IDC_CD_LABEL_LDN 1082
#define IDC_CD_PIN_GROUP 1083
#define IDC_CD_LEVEL_GROUP 1084
#define IDC_CD_LABEL_PULSE_ON 1085
#define IDC_CD_LABEL_PULSE_OFF 1086

// The wizard's model list ("Next" is IDOK) and connected-printer list.
#define IDC_MODEL_LIST 1090
#define IDC_MODEL_GROUP 1091
#define IDC_PRINTER_LIST 1092
#define IDC_PRINTER_LABEL 1093
