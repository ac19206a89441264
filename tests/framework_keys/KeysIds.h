// Ids of the keyboard and control bar test resources (keys.rc).
#pragma once

#define IDD_KEYS_MAIN 300
#define IDD_KEYS_PAGE1 301
#define IDD_KEYS_PAGE2 302
#define IDD_BARS 303
#define IDD_BARS_PAGE 304
#define IDR_KEYS 310

#define IDC_TABS 3001
#define IDC_PAGE1_EDIT 3002
#define IDC_PAGE1_APPLY 3003
#define IDC_PAGE1_NOTE 3004
#define IDC_PAGE2_EDIT 3005
#define IDC_PAGE2_BUTTON 3006
#define IDC_BARS_TABS 3010
#define IDC_BARS_LOG 3011
#define IDC_BARS_OLDLOG 3012
#define IDC_BARS_PROGRESS 3013
#define IDC_BARS_PAGE_TEXT 3014

#define ID_KEY_F4 40001
#define ID_KEY_CTRL_R 40002
#define ID_BAR_FIRST 40010
#define ID_BAR_SECOND 40011
#define ID_BAR_THIRD 40012

#define IDS_PANE_EVENT 400
#define IDS_PANE_STATE 401
#define IDS_PANE_FORMAT 402
