// A message box built at run time from an in-memory dialog template: the standard box's
// owner, text, caption and style, plus more button sets, custom captions, a countdown, a
// disabled period, a "don't ask again" checkbox remembered in the registry, colours and
// Ctrl+C copying. Text and caption may be string ids (MAKEINTRESOURCEW) instead of strings.
#pragma once

#include <windows.h>

// Style bits above the standard MB_ ones.
constexpr UINT XMB_CHECK_DONT_ASK = 0x01000000;
constexpr UINT XMB_CHECK_DONT_TELL = 0x02000000;
constexpr UINT XMB_CHECK_DONT_SHOW = 0x04000000;
constexpr UINT XMB_CHECK_MASK = 0x07000000;
constexpr UINT XMB_YES_TO_ALL = 0x08000000;
constexpr UINT XMB_NO_TO_ALL = 0x10000000;
constexpr UINT XMB_NO_STRING_LOAD = 0x20000000;
constexpr UINT XMB_SILENT = 0x40000000;

// Button sets beyond the standard ones (style & 0xF).
constexpr UINT XMB_CONTINUE_ABORT = 7;
constexpr UINT XMB_SKIP_SKIPALL_CANCEL = 8;
constexpr UINT XMB_IGNORE_IGNOREALL_CANCEL = 9;

// Results and control ids.
constexpr int XMB_ID_SKIP = 14;
constexpr int XMB_ID_SKIPALL = 15;
constexpr int XMB_ID_IGNOREALL = 16;
constexpr int XMB_ID_YESTOALL = 19;
constexpr int XMB_ID_NOTOALL = 20;
constexpr int XMB_ID_CUSTOM1 = 23;
constexpr int XMB_ID_CUSTOM2 = 24;
constexpr int XMB_ID_CUSTOM3 = 25;
constexpr int XMB_ID_CUSTOM4 = 26;
constexpr int XMB_ID_HELP = 300;
constexpr int XMB_ID_REPORT = 301;
constexpr int XMB_ID_ICON = 1000;
constexpr int XMB_ID_TEXT = 1001;
constexpr int XMB_ID_CHECKBOX = 5555;
constexpr UINT XMB_TIMEOUT = 0x80000000;

// layoutOptions
constexpr UINT XMB_OPT_RIGHT_BUTTONS = 1;
constexpr UINT XMB_OPT_VISTA_LOOK = 2;
constexpr UINT XMB_OPT_NARROW = 4;

constexpr int XMB_CAPTION_COUNT = 19;
constexpr int XMB_MAX_PATH = 260;

using XMsgBoxReportCallback = void (*)(LPCWSTR text, DWORD_PTR data);

// Callers fill this directly after InitMsgBoxParams; keep the order and widths.
struct XMsgBoxParams
{
    int helpContextId;
    int countdownSeconds;
    int disabledSeconds;
    int windowX;
    int windowY;
    UINT layoutOptions;
    HINSTANCE stringModule;
    HINSTANCE iconModule;
    int iconResourceId;
    wchar_t iconResourceName[XMB_MAX_PATH];
    int customButtonsId;
    wchar_t customButtonsText[XMB_MAX_PATH];
    int reportCaptionId;
    wchar_t reportCaptionText[XMB_MAX_PATH];
    wchar_t registryCompany[XMB_MAX_PATH];
    LPCWSTR answerKey;
    int answerKeyNumber;
    DWORD_PTR reportData;
    XMsgBoxReportCallback reportCallback;
    COLORREF textColour;
    COLORREF backgroundColour;
    int useOwnCaptions;
    wchar_t ownCaptions[XMB_CAPTION_COUNT][XMB_MAX_PATH];
};

void InitMsgBoxParams(XMsgBoxParams* params);

// The box's result (see the button ids above); -1 when the window could not be created.
int XMessageBox(HWND hWndOwner, LPCWSTR text, LPCWSTR caption = nullptr,
                UINT style = MB_OK | MB_ICONEXCLAMATION, const XMsgBoxParams* params = nullptr);

// Remembered answers under HKCU\Software\[company\]<program file>\XMessageBox.
DWORD LookUpDontAskAnswer(LPCWSTR company, LPCWSTR key, int keyNumber);
DWORD ReadDontAskValue(LPCWSTR company, LPCWSTR valueName);
void WriteDontAskValue(LPCWSTR company, LPCWSTR valueName, DWORD value);
