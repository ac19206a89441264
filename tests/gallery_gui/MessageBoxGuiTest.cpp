#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "controls/CXDialogTemplate.h"
#include "controls/DialogTemplateWriter.h"
#include "controls/XMessageBox.h"
#include "tests/gallery_gui/GuiSupport.h"
#include "tools/gallery/GalleryIds.h"

namespace
{
INT_PTR CALLBACK NullDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A template from the box's constructor, written into moveable memory and parsed back.
std::vector<unsigned char> Written(const CXDialogTemplate& box)
{
    const std::vector<DialogItemData> items = box.Items();
    std::vector<unsigned char> buf(DialogTemplateSize(box.Header(), items) + 16, 0);
    WriteDialogTemplate(buf.data(), box.Header(), items);
    return buf;
}

XMsgBoxParams Params()
{
    XMsgBoxParams p;
    InitMsgBoxParams(&p);
    return p;
}

bool CloseGreyed(HWND hWnd)
{
    return (::GetMenuState(::GetSystemMenu(hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

const wchar_t* kCompany = L"QmGalleryGuiTest";
const DWORD kTimeout = 30000; // generous: a loaded machine may be slow to get there

// Waits for a condition polled from the driver's thread.
bool WaitFor(const std::function<bool()>& done)
{
    const DWORD start = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - start > kTimeout)
            return false;
        ::Sleep(20);
    }
    return true;
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE hData = ::GetClipboardData(CF_UNICODETEXT))
    {
        if (const wchar_t* p = static_cast<const wchar_t*>(::GlobalLock(hData)))
            text = p;
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    return text;
}

// The OK button's caption while the countdown changes it: the first changed one, or the
// last before the box closed.
std::wstring CountdownCaption(HWND hWndBox, DWORD ms, bool first)
{
    std::wstring seen;
    const DWORD start = ::GetTickCount();
    while (::IsWindow(hWndBox) && ::GetTickCount() - start < ms && !(first && !seen.empty()))
    {
        const std::wstring t = TextOf(::GetDlgItem(hWndBox, IDOK));
        if (t != L"OK" && !t.empty())
            seen = t;
        ::Sleep(20);
    }
    return seen;
}
} // namespace

TEST(MessageBoxGui, OkBoxEscapeAndOwnerDisabled)
{
    Gallery g;
    std::atomic<bool> ownerDisabled{false};
    BoxDriver d(L"Box A",
                [&](HWND h)
                {
                    ownerDisabled = !::IsWindowEnabled(g.dlg.m_hWnd);
                    EXPECT_FALSE(CloseGreyed(h));
                    EXPECT_EQ(TextOf(::GetDlgItem(h, IDOK)), L"OK");
                    EXPECT_TRUE(::GetDlgItem(h, XMB_ID_ICON));
                    PostKey(h, VK_ESCAPE);
                });
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"Please select ONE file First!", L"Box A", 0x30 | XMB_SILENT), IDOK);
    EXPECT_TRUE(d.Found());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(g.dlg.m_hWnd));
}

TEST(MessageBoxGui, YesNoIgnoresEscapeThenYes)
{
    Gallery g;
    BoxDriver d(L"Box B",
                [&](HWND h)
                {
                    EXPECT_TRUE(CloseGreyed(h));
                    // Handled in order: had Esc ended the box, it would not answer Yes.
                    PostKey(h, VK_ESCAPE);
                    ::PostMessageW(h, WM_COMMAND, IDYES, 0);
                });
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"Remove?", L"Box B", 0x34 | XMB_SILENT), IDYES);
}

TEST(MessageBoxGui, ToAllButtonsLeftToRight)
{
    Gallery g;
    std::vector<int> order;
    BoxDriver d(L"Box C",
                [&](HWND h)
                {
                    std::vector<std::pair<LONG, int>> buttons;
                    for (int id : {IDYES, XMB_ID_YESTOALL, IDNO, XMB_ID_NOTOALL, IDCANCEL})
                    {
                        HWND b = ::GetDlgItem(h, id);
                        ASSERT_TRUE(b) << id;
                        RECT r;
                        ::GetWindowRect(b, &r);
                        buttons.push_back({r.left, id});
                    }
                    std::sort(buttons.begin(), buttons.end());
                    for (auto& b : buttons)
                        order.push_back(b.second);
                    ::PostMessageW(h, WM_COMMAND, XMB_ID_NOTOALL, 0);
                });
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"Overwrite?", L"Box C",
                          MB_YESNOCANCEL | MB_ICONQUESTION | XMB_YES_TO_ALL | XMB_NO_TO_ALL | XMB_SILENT),
              XMB_ID_NOTOALL);
    EXPECT_EQ(order, (std::vector<int>{6, 19, 7, 20, 2}));
}

TEST(MessageBoxGui, CustomButtonsDefaultAndChildOwner)
{
    Gallery g;
    XMsgBoxParams p = Params();
    wcscpy(p.customButtonsText, L"OK\nTroubleshooting\nThree\nFour\nFive");
    p.textColour = RGB(255, 0, 0);
    std::atomic<bool> topDisabled{false};
    BoxDriver d(L"Box D",
                [&](HWND h)
                {
                    topDisabled = !::IsWindowEnabled(g.dlg.m_hWnd);
                    // Centred over the top-level window, not over the child.
                    RECT box;
                    RECT top;
                    ::GetWindowRect(h, &box);
                    ::GetWindowRect(g.dlg.m_hWnd, &top);
                    EXPECT_LE(std::abs((box.left + box.right) - (top.left + top.right)), 2);
                    EXPECT_LE(std::abs((box.top + box.bottom) - (top.top + top.bottom)), 2);
                    HWND second = ::GetDlgItem(h, XMB_ID_CUSTOM2);
                    ASSERT_TRUE(second);
                    EXPECT_EQ(TextOf(second), L"Troubleshooting");
                    EXPECT_TRUE(::GetWindowLongPtrW(second, GWL_STYLE) & BS_DEFPUSHBUTTON);
                    EXPECT_TRUE(::GetDlgItem(h, XMB_ID_CUSTOM4));
                    EXPECT_FALSE(::GetDlgItem(h, XMB_ID_CUSTOM4 + 1)) << "a fifth caption is ignored";
                    PostKey(h, VK_ESCAPE); // does nothing: the answer is Enter's
                    PostKey(h, VK_RETURN);
                });
    // A child control as owner (as a tab page would be): the top-level window is disabled.
    HWND child = ::GetDlgItem(g.dlg.m_hWnd, IDC_STATUS);
    const int r = XMessageBox(child, L"No Recording Device Found!", L"Box D", 0x50110 | XMB_SILENT, &p);
    EXPECT_EQ(r & 0xFF, XMB_ID_CUSTOM2);
    EXPECT_TRUE(topDisabled);
    EXPECT_TRUE(::IsWindowEnabled(g.dlg.m_hWnd));
}

TEST(MessageBoxGui, OwnerDisabledBeforeStaysDisabled)
{
    Gallery g;
    g.dlg.EnableWindow(FALSE);
    BoxDriver d(L"Box E", [](HWND h) { ::PostMessageW(h, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"x", L"Box E", MB_OK | XMB_SILENT), IDOK);
    EXPECT_FALSE(::IsWindowEnabled(g.dlg.m_hWnd));
}

TEST(MessageBoxGui, CountdownPressesDefault)
{
    Gallery g;
    XMsgBoxParams p = Params();
    p.countdownSeconds = 1;
    std::wstring seen;
    {
        // The driver's thread ends (and sets seen) once it finds the box gone.
        BoxDriver d(L"Box F", [&](HWND h) { seen = CountdownCaption(h, kTimeout, false); });
        EXPECT_EQ(static_cast<UINT>(
                      XMessageBox(g.dlg.m_hWnd, L"Closes by itself", L"Box F", MB_OK | XMB_SILENT, &p)),
                  XMB_TIMEOUT | IDOK);
    }
    EXPECT_EQ(seen, L"OK = 1");
}

TEST(MessageBoxGui, LongCountdownCountsFromTen)
{
    Gallery g;
    XMsgBoxParams p = Params();
    p.countdownSeconds = 5000;
    std::wstring first;
    BoxDriver d(L"Box J",
                [&](HWND h)
                {
                    first = CountdownCaption(h, kTimeout, true);
                    ::PostMessageW(h, WM_COMMAND, IDOK, 0);
                });
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"x", L"Box J", MB_OK | XMB_SILENT, &p), IDOK);
    EXPECT_EQ(first, L"OK = 10");
}

TEST(MessageBoxGui, DisabledPeriodBlocksEscape)
{
    Gallery g;
    XMsgBoxParams p = Params();
    p.disabledSeconds = 2;
    std::vector<std::wstring> titles;
    BoxDriver d(L"T",
                [&](HWND h)
                {
                    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(h, IDOK)));
                    EXPECT_TRUE(CloseGreyed(h));
                    PostKey(h, VK_ESCAPE);
                    ::PostMessageW(h, WM_CLOSE, 0, 0);
                    // The count runs down in the title; the timer comes after the posted keys.
                    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(h) || TextOf(h) == L"T 1"; }));
                    EXPECT_TRUE(::IsWindow(h)) << "not ended while disabled";
                    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(h, IDOK)) != FALSE; }));
                    titles.push_back(TextOf(h));
                    PostKey(h, VK_ESCAPE);
                });
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"Read this first", L"T", MB_OK | XMB_SILENT, &p), IDOK);
    EXPECT_EQ(titles, std::vector<std::wstring>{L"T"});
}

TEST(MessageBoxGui, RememberedAnswer)
{
    Gallery g;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QmGalleryGuiTest");
    XMsgBoxParams p = Params();
    wcscpy(p.registryCompany, kCompany);
    p.answerKey = L"Overwrite";
    p.answerKeyNumber = 3;
    const UINT style = MB_YESNOCANCEL | XMB_CHECK_DONT_ASK | XMB_SILENT;
    {
        // Cancel with the box ticked stores nothing.
        BoxDriver d(L"Box G",
                    [](HWND h)
                    {
                        ::SendMessageW(::GetDlgItem(h, XMB_ID_CHECKBOX), BM_SETCHECK, BST_CHECKED, 0);
                        ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
                    });
        EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"Overwrite?", L"Box G", style, &p), IDCANCEL);
    }
    EXPECT_EQ(LookUpDontAskAnswer(kCompany, L"Overwrite", 3), 0u);
    {
        BoxDriver d(L"Box G",
                    [](HWND h)
                    {
                        EXPECT_EQ(TextOf(::GetDlgItem(h, XMB_ID_CHECKBOX)), L"Don't ask me again");
                        ::SendMessageW(::GetDlgItem(h, XMB_ID_CHECKBOX), BM_SETCHECK, BST_CHECKED, 0);
                        ::PostMessageW(h, WM_COMMAND, IDYES, 0);
                    });
        EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"Overwrite?", L"Box G", style, &p), 0x01000006);
    }
    // Answered from the registry, without a box: a box that appears is cancelled.
    std::atomic<bool> answered{false}, shown{false};
    std::thread watch(
        [&]
        {
            while (!answered)
            {
                if (HWND h = ::FindWindowW(L"#32770", L"Box G"))
                {
                    shown = true;
                    ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
                }
                ::Sleep(20);
            }
        });
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"Overwrite?", L"Box G", style, &p), 0x01000006);
    answered = true;
    watch.join();
    EXPECT_FALSE(shown);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QmGalleryGuiTest");
}

TEST(MessageBoxGui, CtrlCCopiesTheBox)
{
    Gallery g;
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    BoxDriver d(L"T2",
                [](HWND h)
                {
                    INPUT in = {};
                    in.type = INPUT_KEYBOARD;
                    in.ki.wVk = VK_CONTROL;
                    ::SendInput(1, &in, sizeof(in));
                    EXPECT_TRUE(WaitFor([] { return ::GetAsyncKeyState(VK_CONTROL) < 0; }));
                    ::PostMessageW(::GetDlgItem(h, IDOK), WM_KEYDOWN, 0x43, 1);
                    EXPECT_TRUE(WaitFor([] { return !ClipboardText().empty(); }));
                    in.ki.dwFlags = KEYEVENTF_KEYUP;
                    ::SendInput(1, &in, sizeof(in));
                    ::PostMessageW(h, WM_COMMAND, IDOK, 0);
                });
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"M", L"T2", MB_OK | XMB_SILENT), IDOK);
    EXPECT_EQ(ClipboardText(), L"---------------------------\r\nT2\r\n---------------------------\r\nM\r\n"
                               L"---------------------------\r\nOK   \r\n---------------------------\r\n");
}

TEST(MessageBoxGui, SystemModalUsesTheStandardBoxWithResolvedText)
{
    Gallery g;
    std::wstring shown;
    BoxDriver d(L"Quillmoth",
                [&](HWND h)
                {
                    for (HWND c = ::GetWindow(h, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
                        if (TextOf(c) == L"The standard box.")
                            shown = TextOf(c);
                    ::PostMessageW(h, WM_COMMAND, IDOK, 0);
                });
    // The gallery's button: a string id as text, an XMB_ bit in the style.
    g.dlg.SendMessage(WM_COMMAND, IDC_BOX_SYSMODAL, 0);
    EXPECT_EQ(g.dlg.m_lastBoxResult, IDOK);
    EXPECT_EQ(shown, L"The standard box.");
}

namespace
{
std::wstring g_reported;
void Report(LPCWSTR text, DWORD_PTR data)
{
    g_reported = std::wstring(text) + L"/" + std::to_wstring(data);
}
} // namespace

TEST(MessageBoxGui, ReportButtonAndTextFromStringId)
{
    Gallery g;
    XMsgBoxParams p = Params();
    p.reportCallback = Report;
    p.reportData = 42;
    wcscpy(p.reportCaptionText, L"Send");
    g_reported.clear();
    std::wstring caption, text;
    BoxDriver d(L"Box H",
                [&](HWND h)
                {
                    caption = TextOf(::GetDlgItem(h, XMB_ID_REPORT));
                    text = TextOf(::GetDlgItem(h, XMB_ID_TEXT));
                    // Handled in order: had Report ended the box, it would not answer OK.
                    ::PostMessageW(h, WM_COMMAND, XMB_ID_REPORT, 0);
                    ::PostMessageW(h, WM_COMMAND, IDOK, 0);
                });
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, MAKEINTRESOURCEW(IDS_STANDARD_BOX), L"Box H", MB_OK | XMB_SILENT, &p),
              IDOK);
    EXPECT_EQ(caption, L"Send");
    EXPECT_EQ(text, L"The standard box.");
    EXPECT_EQ(g_reported, L"The standard box./42");
}

TEST(MessageBoxGui, ClickStopsTheCountdown)
{
    Gallery g;
    XMsgBoxParams p = Params();
    p.countdownSeconds = 3;
    std::wstring after;
    BoxDriver d(L"Box I",
                [&](HWND h)
                {
                    const HWND ok = ::GetDlgItem(h, IDOK);
                    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(h) || TextOf(ok) != L"OK"; }));
                    ::PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
                    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(h) || TextOf(ok) == L"OK"; }));
                    // Longer than the count's step: a count still running would show again.
                    ::Sleep(1500);
                    after = TextOf(ok);
                    PostKey(h, VK_ESCAPE);
                });
    // A box that counted to the end would answer with the time-out bit.
    EXPECT_EQ(XMessageBox(g.dlg.m_hWnd, L"x", L"Box I", MB_OK | XMB_SILENT, &p), IDOK);
    EXPECT_EQ(after, L"OK");
}

TEST(DialogTemplate, BoxTemplateCreatesItsControls)
{
    XMsgBoxParams p = Params();
    p.layoutOptions = XMB_OPT_VISTA_LOOK;
    CXDialogTemplate box(nullptr, L"Save && go?\tNow", L"Title",
                         MB_YESNOCANCEL | MB_ICONQUESTION | XMB_CHECK_DONT_ASK, p);
    std::vector<unsigned char> buf = Written(box);
    DialogHeaderData h;
    std::vector<DialogItemData> items;
    ASSERT_TRUE(ParseDialogTemplate(buf.data(), buf.size(), &h, &items));
    EXPECT_EQ(h.style, 0x90C80880u) << "no DS_SETFONT: dialog units follow the system font";
    ASSERT_EQ(items.size(), 6u); // icon, text, Yes, No, Cancel, checkbox
    EXPECT_EQ(items[0].id, XMB_ID_ICON);
    EXPECT_TRUE(items[1].style & SS_NOPREFIX) << "text is measured without prefix processing";
    EXPECT_EQ(items[2].style & BS_DEFPUSHBUTTON, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(items[5].style, 0x50010003u);
    EXPECT_EQ(items[5].text, L"Don't ask me again");

    HWND hWnd = ::CreateDialogIndirectParamW(
        ::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(buf.data()), nullptr, NullDlgProc, 0);
    ASSERT_TRUE(hWnd);
    wchar_t text[64] = {};
    ::GetDlgItemTextW(hWnd, XMB_ID_TEXT, text, 64);
    EXPECT_STREQ(text, L"Save && go?\tNow");
    EXPECT_TRUE(::GetDlgItem(hWnd, IDYES));
    EXPECT_TRUE(::GetDlgItem(hWnd, IDCANCEL));
    EXPECT_TRUE(::GetDlgItem(hWnd, XMB_ID_CHECKBOX));
    wchar_t title[16] = {};
    ::GetWindowTextW(hWnd, title, 16);
    EXPECT_STREQ(title, L"Title");
    ::DestroyWindow(hWnd);
}
