// Ids of the smoke-test dialog (smoke.rc).
#pragma once

#define IDD_SMOKE 100
#define IDC_NAME 1001
#define IDC_CLICKS 1002
#define IDC_COUNT 1003
#define IDC_REMEMBER 1004
#define IDC_WAV 1005
#define IDC_MP3 1006
#define IDC_OGG 1007
#define IDC_LEVEL 1008
#define IDC_VOLUME 1009
