#include <gtest/gtest.h>

#include "controls/MsgBoxLayout.h"
#include "controls/XMessageBox.h"

namespace
{
std::vector<int> Ids(const std::vector<MsgBoxButton>& v)
{
    std::vector<int> ids;
    for (const MsgBoxButton& b : v)
        ids.push_back(b.id);
    return ids;
}
} // namespace

TEST(MsgBoxButtons, SetsOrderAndEscape)
{
    int flags = 0;
    EXPECT_EQ(Ids(MsgBoxButtons(0x30, 0, false, &flags)), (std::vector<int>{1}));
    EXPECT_EQ(flags, kBoxEscOk);
    EXPECT_EQ(Ids(MsgBoxButtons(0x34, 0, false, &flags)), (std::vector<int>{6, 7}));
    EXPECT_EQ(flags, 0) << "Yes/No: Esc does nothing";
    EXPECT_EQ(Ids(MsgBoxButtons(0x23 | XMB_YES_TO_ALL | XMB_NO_TO_ALL, 0, false, &flags)),
              (std::vector<int>{6, 19, 7, 20, 2}));
    EXPECT_EQ(flags, kBoxEscCancel);
    EXPECT_EQ(Ids(MsgBoxButtons(XMB_SKIP_SKIPALL_CANCEL | MB_HELP, 0, true, &flags)),
              (std::vector<int>{14, 15, 2, 300, 301}));
    EXPECT_EQ(Ids(MsgBoxButtons(12, 0, false, &flags)), (std::vector<int>{1}));
    EXPECT_EQ(flags, 0) << "unknown sets show OK but Esc does nothing";
    // Custom buttons replace the set and disable Esc; the lowest checkbox bit wins.
    EXPECT_EQ(Ids(MsgBoxButtons(MB_OKCANCEL | XMB_CHECK_DONT_TELL | XMB_CHECK_DONT_SHOW, 2, false, &flags)),
              (std::vector<int>{23, 24}));
    EXPECT_EQ(flags, 2);
    EXPECT_EQ(MsgBoxCheckboxCaption(flags), 4);
}

TEST(MsgBoxButtons, CustomCaptionsAndDefault)
{
    EXPECT_EQ(SplitCustomButtons(L"OK\nTroubleshooting"),
              (std::vector<std::wstring>{L"OK", L"Troubleshooting"}));
    EXPECT_EQ(SplitCustomButtons(L"a\nb\nc\nd\ne").size(), 4u);
    EXPECT_EQ(MsgBoxDefaultButtonNumber(0x100), 2);
    EXPECT_EQ(MsgBoxDefaultButtonNumber(0x500), 6);
    EXPECT_EQ(MsgBoxDefaultButtonNumber(0x700), 1);
}

TEST(MsgBoxLayout, RowGapAndAlignment)
{
    MsgBoxLayoutInput in;
    in.text = {100, 20};
    in.buttonHeight = 23;
    in.buttonWidths = {75};
    MsgBoxLayoutResult r = LayOutMsgBox(in);
    EXPECT_EQ(r.text.bottom, 49);
    EXPECT_EQ(r.buttons[0].top, r.text.bottom + 5);
    EXPECT_EQ(r.dialog.right, 128);
    EXPECT_EQ(r.buttons[0].left, (128 - 75) / 2) << "centred";
    EXPECT_EQ(r.dialog.bottom, r.buttons[0].top + 23 + 12);

    in.hasBrush = true;
    in.rightButtons = true;
    r = LayOutMsgBox(in);
    EXPECT_EQ(r.buttons[0].top, r.text.bottom + 14);
    EXPECT_EQ(r.buttons[0].right, r.dialog.right - 16);

    // An icon taller than the text sets the row; two buttons are 6 apart; a wide row widens the box.
    in.hasIcon = true;
    in.icon = {32, 32};
    in.text = {10, 10};
    in.buttonWidths = {75, 75};
    r = LayOutMsgBox(in);
    EXPECT_EQ(r.icon.bottom, 8 + 34);
    EXPECT_EQ(r.text.left, 16 + 40);
    EXPECT_EQ(r.buttons[0].top, 42 + 14);
    EXPECT_EQ(r.buttons[1].left, r.buttons[0].right + 6);
    EXPECT_EQ(r.dialog.right, 156 + 32);
}

TEST(MsgBoxLayout, VistaLookAndCheckbox)
{
    MsgBoxLayoutInput in;
    in.vista = true;
    in.hasIcon = true;
    in.icon = {32, 32};
    in.text = {200, 45};
    in.oneLineHeight = 15;
    in.buttonHeight = 25;
    in.buttonWidths = {80};
    in.checkboxWidth = 300;
    in.checkboxHeight = 20;
    const MsgBoxLayoutResult r = LayOutMsgBox(in);
    EXPECT_EQ(r.text.top, 24) << "multi-line text aligns with the icon";
    EXPECT_EQ(r.text.bottom - r.text.top, 45 + 29);
    EXPECT_EQ(r.checkbox.left, 17);
    EXPECT_EQ(r.checkbox.top, r.buttons[0].top + 25 + 12);
    EXPECT_EQ(r.dialog.bottom, r.checkbox.bottom + 8);
    EXPECT_GE(r.dialog.right, 317);
}

TEST(MsgBoxLayout, TextLimit)
{
    EXPECT_EQ(MsgBoxTextLimit(1024, false, false, false, 32), 592);
    EXPECT_EQ(MsgBoxTextLimit(1024, true, false, true, 32), 502 - 48);
    EXPECT_EQ(MsgBoxTextLimit(1024, true, true, false, 32), 341);
}

TEST(MsgBoxAnswers, ValueNames)
{
    EXPECT_EQ(DontAskValueName(L"abc", 7), L"7dj7");
    EXPECT_EQ(DontAskValueName(L"", -3), L"-3");
    EXPECT_EQ(DontAskValueName(nullptr, 0), L"0");
    // Only the first 490 characters count; the caller's key stays as it was.
    std::wstring a(600, L'q'), b(490, L'q');
    b += L"different";
    const std::wstring before = a;
    EXPECT_EQ(DontAskValueName(a.c_str(), 1), DontAskValueName(b.c_str(), 1));
    EXPECT_EQ(a, before);
    EXPECT_EQ(DontAskValueName(a.c_str(), 1).size(), 491u);
}

TEST(MsgBoxAnswers, RegistryRoundTrip)
{
    const wchar_t* company = L"QmControlsTest";
    EXPECT_EQ(ReadDontAskValue(company, L"nothing-here"), 0u);
    EXPECT_EQ(ReadDontAskValue(company, nullptr), 0u);
    const std::wstring name = DontAskValueName(L"question", 2);
    WriteDontAskValue(company, name.c_str(), 0x01000006);
    EXPECT_EQ(LookUpDontAskAnswer(company, L"question", 2), 0x01000006u);
    EXPECT_EQ(LookUpDontAskAnswer(company, L"question", 3), 0u);
    EXPECT_EQ(LookUpDontAskAnswer(nullptr, L"question", 2), 0u);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QmControlsTest");
}

TEST(MsgBoxSystemModal, OnlyStandardBits)
{
    EXPECT_EQ(StandardMessageBoxStyle(0x1010 | XMB_SILENT | XMB_CHECK_DONT_ASK), 0x1010u);
    EXPECT_EQ(StandardMessageBoxStyle(0x1010 | XMB_SKIP_SKIPALL_CANCEL), 0x1010u);
    EXPECT_EQ(StandardMessageBoxStyle(0x1014 | MB_TOPMOST), 0x1014u | MB_TOPMOST);
}

TEST(MsgBoxClipboard, Text)
{
    const std::wstring text = L"M";
    EXPECT_EQ(MsgBoxClipboardText(L"T", &text, {L"OK"}),
              L"---------------------------\r\nT\r\n---------------------------\r\nM\r\n"
              L"---------------------------\r\nOK   \r\n---------------------------\r\n");
    EXPECT_EQ(MsgBoxClipboardText(L"T", nullptr, {L"&Yes", L"Don't ask me again"}),
              L"---------------------------\r\nT\r\n---------------------------\r\n"
              L"Yes   Don't ask me again   \r\n---------------------------\r\n");
    EXPECT_EQ(CountdownCaption(L"OK", 3), L"OK = 3");
}
