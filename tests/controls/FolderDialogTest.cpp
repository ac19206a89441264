#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/CFolderDialog.h"

namespace
{
std::vector<UINT> g_messages;
std::wstring g_lastPath;

LRESULT CALLBACK RecordProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BFFM_SETSELECTIONW || message == BFFM_SETSTATUSTEXTW)
    {
        g_messages.push_back(message);
        g_lastPath = reinterpret_cast<LPCWSTR>(lParam);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A window standing in for the browser, recording what the dialog sends it.
HWND RecordingWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = RecordProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QmFolderRecorder";
    ::RegisterClassW(&wc);
    return ::CreateWindowW(L"QmFolderRecorder", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                           nullptr);
}
} // namespace

TEST(FolderDialog, InitialFolderAndTitle)
{
    wchar_t title[] = L"Pick one";
    CFolderDialog dlg(title, L"C:\\windows");
    title[0] = L'X';
    EXPECT_STREQ(dlg.GetBrowseInfo().lpszTitle, L"Pick one") << "the title is copied";
    EXPECT_STREQ(dlg.GetInitialFolder(), L"C:\\windows");
    EXPECT_EQ(dlg.GetBrowseInfo().ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));

    const std::wstring tooLong(MAX_PATH, L'a');
    EXPECT_FALSE(dlg.SetInitialFolder(tooLong.c_str()));
    EXPECT_STREQ(dlg.GetInitialFolder(), L"C:\\windows") << "a too long folder is ignored";
    const std::wstring fits(MAX_PATH - 1, L'b');
    EXPECT_TRUE(dlg.SetInitialFolder(fits.c_str()));
    EXPECT_EQ(std::wstring(dlg.GetInitialFolder()), fits);
}

TEST(FolderDialog, CallbackSelectsStatusAndValidates)
{
    HWND hWnd = RecordingWindow();
    ASSERT_TRUE(hWnd);
    ::CoInitialize(nullptr);
    {
        CFolderDialog plain(nullptr, L"C:\\windows");
        const LPARAM self = reinterpret_cast<LPARAM>(&plain);
        g_messages.clear();
        EXPECT_EQ(CFolderDialog::BrowseCallbackProc(hWnd, BFFM_INITIALIZED, 0, self), 0);
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0], static_cast<UINT>(BFFM_SETSELECTIONW));
        EXPECT_EQ(g_lastPath, L"C:\\windows");

        g_messages.clear();
        CFolderDialog empty(nullptr, nullptr);
        CFolderDialog::BrowseCallbackProc(hWnd, BFFM_INITIALIZED, 0, reinterpret_cast<LPARAM>(&empty));
        EXPECT_TRUE(g_messages.empty()) << "no initial folder, no selection";

        // Selection changes give status text only with BIF_STATUSTEXT.
        LPITEMIDLIST pidl = nullptr;
        ASSERT_EQ(::SHParseDisplayName(L"C:\\windows", nullptr, &pidl, 0, nullptr), S_OK);
        CFolderDialog::BrowseCallbackProc(hWnd, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl), self);
        EXPECT_TRUE(g_messages.empty());
        CFolderDialog status(nullptr, nullptr, nullptr, BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
        CFolderDialog::BrowseCallbackProc(hWnd, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl),
                                          reinterpret_cast<LPARAM>(&status));
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0], static_cast<UINT>(BFFM_SETSTATUSTEXTW));
        EXPECT_EQ(::lstrcmpiW(g_lastPath.c_str(), L"C:\\windows"), 0);
        ::CoTaskMemFree(pidl);

        EXPECT_EQ(CFolderDialog::BrowseCallbackProc(hWnd, BFFM_VALIDATEFAILEDW,
                                                    reinterpret_cast<LPARAM>(L"Q:\\nope"), self),
                  1)
            << "the browser stays open";

        EXPECT_TRUE(plain.SetRootFolder(L"C:\\windows"));
        EXPECT_TRUE(plain.GetBrowseInfo().pidlRoot);
        EXPECT_TRUE(plain.SetRootFolder(nullptr));
        EXPECT_FALSE(plain.GetBrowseInfo().pidlRoot);
    }
    ::CoUninitialize();
    ::DestroyWindow(hWnd);
}
