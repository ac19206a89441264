// The message box's rules that need no window: button sets, captions, the pixel layout,
// value names of remembered answers and the text Ctrl+C copies.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One entry of the caption table: string id and built-in text.
struct MsgBoxCaption
{
    UINT stringId;
    const wchar_t* text;
};
extern const MsgBoxCaption kMsgBoxCaptions[19];
constexpr int kReportCaptionIndex = 12;
constexpr int kHelpCaptionIndex = 6;

struct MsgBoxButton
{
    int captionIndex; // -1: a custom caption (customIndex)
    int id;
    int customIndex;
};

// Box flags: the checkbox kind (1, 2, 4), 8 = Esc presses Cancel, 0x10 = Esc returns 1.
constexpr int kBoxEscCancel = 8;
constexpr int kBoxEscOk = 0x10;

// The push buttons of a style, left to right; customCount > 0 replaces the set. Help and
// Report follow when asked for. *pBoxFlags receives the Esc flags and the checkbox kind.
std::vector<MsgBoxButton> MsgBoxButtons(UINT style, int customCount, bool report, int* pBoxFlags);
// 1-6 from the default-button field.
int MsgBoxDefaultButtonNumber(UINT style);
// Caption index of the checkbox (3, 4, 5), -1 without one.
int MsgBoxCheckboxCaption(int boxFlags);
// Up to four captions separated by line feeds.
std::vector<std::wstring> SplitCustomButtons(const std::wstring& text);

// Width limit of the message text in pixels.
int MsgBoxTextLimit(int screenWidth, bool vista, bool narrow, bool styleHasIcon, int iconWidth);

struct MsgBoxLayoutInput
{
    bool vista = false;
    bool rightButtons = false;
    bool hasBrush = false;
    bool hasIcon = false;
    SIZE icon = {0, 0};
    SIZE text = {0, 0};
    int oneLineHeight = 0; // height of one line of text in the message font
    int buttonHeight = 0;
    std::vector<int> buttonWidths;
    int checkboxWidth = 0; // 0: no checkbox
    int checkboxHeight = 0;
};

struct MsgBoxLayoutResult
{
    RECT text;
    RECT icon;
    std::vector<RECT> buttons;
    RECT checkbox;
    RECT dialog;
};

MsgBoxLayoutResult LayOutMsgBox(const MsgBoxLayoutInput& in);

// Pixels to dialog units of the system font.
RECT PixelsToDialogUnits(const RECT& r, int baseX, int baseY);

// The value name of a remembered answer: the first 490 characters of the key, encoded,
// then the number in decimal. The caller's key is not touched.
std::wstring DontAskValueName(const wchar_t* key, int number);
void EncodeValueName(std::wstring& s);

// Standard-box style for the system-modal path: the MB_ bits only, non-standard button
// sets become OK.
UINT StandardMessageBoxStyle(UINT style);

// What Ctrl+C puts on the clipboard.
std::wstring MsgBoxClipboardText(const std::wstring& title, const std::wstring* text,
                                 const std::vector<std::wstring>& buttonCaptions);

// The default button's caption during the countdown.
std::wstring CountdownCaption(const std::wstring& caption, int seconds);
