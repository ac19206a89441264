// Ids of the test dialogs (window.rc).
#pragma once

#define IDD_BASIC 100
#define IDD_DDX 101
#define IDD_PAGE 102

#define IDC_ACTION 1001
#define IDC_EDIT 1002
#define IDC_LABEL 1003
#define IDC_LIST 1004
#define IDC_COMBO 1005
#define IDC_OTHER 1006

#define IDC_TEXT_STRING 1101
#define IDC_TEXT_INT 1102
#define IDC_TEXT_UINT 1103
#define IDC_TEXT_LONG 1104
#define IDC_TEXT_DWORD 1105
#define IDC_TEXT_DOUBLE 1106
#define IDC_CHECK 1107
#define IDC_RADIO1 1108
#define IDC_RADIO2 1109
#define IDC_RADIO3 1110
#define IDC_AFTER_RADIOS 1111
#define IDC_DDX_COMBO 1112

#define IDC_PAGE_BUTTON 1201
