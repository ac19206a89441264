// A dialog from a template runs modally while a second thread drives it the way a user
// would (clicks, typing, Return, Esc) through posted messages; the values come back
// through data exchange, and a screenshot of the dialog goes to
// $QM_BUILD/screenshots/smoke.bmp.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CProgressCtrl.h"
#include "framework/CSliderCtrl.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"
#include "SmokeIds.h"

namespace
{
class SmokeDialog : public CDialog
{
public:
    SmokeDialog() : CDialog(IDD_SMOKE) {}

    CString name = L"Untitled";
    int clicks = 0;
    int remember = BST_UNCHECKED;
    int format = 1;
    std::atomic<HWND> window{nullptr};
    // The last marker the dialog's thread has handled (see WaitForDialog).
    std::atomic<WPARAM> marker{0};

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_LEVEL, m_level);
        DDX_Control(pDX, IDC_VOLUME, m_volume);
        DDX_Text(pDX, IDC_NAME, name);
        DDX_Text(pDX, IDC_CLICKS, clicks);
        DDX_Check(pDX, IDC_REMEMBER, remember);
        DDX_Radio(pDX, IDC_WAV, format);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        HICON icon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_PROGRAM));
        SetIcon(icon, TRUE);
        SetIcon(icon, FALSE);
        m_level.SetRange(0, 100);
        m_level.SetPos(60);
        m_volume.SetRange(0, 100);
        m_volume.SetPos(75);
        window = m_hWnd;
        return TRUE;
    }
    // Posted after the driver's messages: everything before it has been handled. The
    // dialog paints before saying so, for the screenshot.
    LRESULT OnMarker(WPARAM wParam, LPARAM)
    {
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        marker = wParam;
        return 0;
    }
    void OnCount()
    {
        UpdateData(TRUE);
        clicks++;
        UpdateData(FALSE);
    }
    DECLARE_MESSAGE_MAP()

private:
    CProgressCtrl m_level;
    CSliderCtrl m_volume;
};

BEGIN_MESSAGE_MAP(SmokeDialog, CDialog)
ON_BN_CLICKED(IDC_COUNT, &SmokeDialog::OnCount)
ON_MESSAGE(WM_APP, &SmokeDialog::OnMarker)
END_MESSAGE_MAP()

// The build folder as a Windows path (the harness gives a Unix one).
std::wstring BuildFolder()
{
    const char* build = std::getenv("QM_BUILD");
    if (!build || !*build)
        return L".";
    std::wstring path;
    for (const char* p = build; *p; p++)
        path += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return build[0] == '/' ? L"Z:" + path : path;
}

struct Capture
{
    bool saved = false;
    size_t colours = 0; // distinct colours seen
    int width = 0;
    int height = 0;
};

// Copies a window's client area from the screen into a 24-bit BMP file. (The frame is
// the window manager's, and the test display has none.)
Capture SaveWindowImage(HWND hWnd, const std::wstring& path)
{
    Capture result;
    RECT rect;
    ::GetClientRect(hWnd, &rect);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    result.width = rect.right - rect.left;
    result.height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, result.width, result.height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, result.width, result.height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = result.width;
    info.biHeight = result.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    int stride = (result.width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * result.height);
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(result.height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    std::set<unsigned> colours;
    for (int y = 0; y < result.height; y++)
        for (int x = 0; x < result.width; x++)
        {
            const unsigned char* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
            colours.insert(p[0] | (p[1] << 8) | (p[2] << 16));
        }
    result.colours = colours.size();

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return result;
    DWORD written = 0;
    bool ok = ::WriteFile(out, &file, sizeof(file), &written, nullptr) &&
              ::WriteFile(out, &info, sizeof(info), &written, nullptr) &&
              ::WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    ::CloseHandle(out);
    result.saved = ok;
    return result;
}

// Waits until the dialog's thread has handled everything posted so far: a marker posted
// behind it comes back. Generous, since a loaded machine may be slow to get there.
bool WaitForDialog(SmokeDialog& dlg, HWND hWnd)
{
    static WPARAM next = 0;
    const WPARAM marker = ++next;
    ::PostMessageW(hWnd, WM_APP, marker, 0);
    const DWORD start = ::GetTickCount();
    while (dlg.marker != marker)
    {
        if (::GetTickCount() - start > 30000)
            return false;
        ::Sleep(10);
    }
    return true;
}

void Type(HWND hEdit, const wchar_t* text)
{
    ::PostMessageW(hEdit, EM_SETSEL, 0, -1);
    for (const wchar_t* p = text; *p; p++)
        ::PostMessageW(hEdit, WM_CHAR, *p, 1);
}

void PressKey(HWND hWnd, UINT vk)
{
    ::PostMessageW(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageW(hWnd, WM_KEYUP, vk, 0xC0000001);
}

HWND WaitForWindow(SmokeDialog& dlg)
{
    for (int i = 0; i < 3000; i++) // 30 s
    {
        HWND hWnd = dlg.window;
        if (hWnd && ::IsWindowVisible(hWnd))
            return hWnd;
        ::Sleep(10);
    }
    return nullptr;
}
} // namespace

TEST(GuiSmoke, DialogIsDrivenAndReturnsItsValues)
{
    SmokeDialog dlg;
    Capture capture;
    std::wstring shot = BuildFolder() + L"\\screenshots";
    ::CreateDirectoryW(shot.c_str(), nullptr);
    shot += L"\\smoke.bmp";

    std::thread user(
        [&]
        {
            HWND hWnd = WaitForWindow(dlg);
            if (!hWnd)
                return;
            HWND count = ::GetDlgItem(hWnd, IDC_COUNT);
            ::PostMessageW(count, BM_CLICK, 0, 0);
            ::PostMessageW(count, BM_CLICK, 0, 0);
            HWND edit = ::GetDlgItem(hWnd, IDC_NAME);
            ::PostMessageW(hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
            Type(edit, L"Take 1");
            ::PostMessageW(::GetDlgItem(hWnd, IDC_REMEMBER), BM_CLICK, 0, 0);
            ::PostMessageW(::GetDlgItem(hWnd, IDC_OGG), BM_CLICK, 0, 0);
            EXPECT_TRUE(WaitForDialog(dlg, hWnd));
            capture = SaveWindowImage(hWnd, shot);
            if (const char* hold = std::getenv("QM_SMOKE_HOLD_MS"))
                ::Sleep(static_cast<DWORD>(std::atoi(hold))); // time to look at the screen
            PressKey(edit, VK_RETURN);
        });
    INT_PTR result = dlg.DoModal();
    user.join();

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(2, dlg.clicks);
    EXPECT_EQ(CString(L"Take 1"), dlg.name);
    EXPECT_EQ(BST_CHECKED, dlg.remember);
    EXPECT_EQ(2, dlg.format);
    EXPECT_TRUE(capture.saved);
    EXPECT_GT(capture.width, 300);
    EXPECT_GT(capture.height, 200);
    // A painted dialog: face, frame, caption, text, icon; an unpainted one is one colour.
    EXPECT_GT(capture.colours, 20u);
}

TEST(GuiSmoke, EscapeCancelsWithoutTakingTheValues)
{
    SmokeDialog dlg;
    wchar_t typed[32] = L"";
    std::thread user(
        [&]
        {
            HWND hWnd = WaitForWindow(dlg);
            if (!hWnd)
                return;
            HWND edit = ::GetDlgItem(hWnd, IDC_NAME);
            ::PostMessageW(hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
            Type(edit, L"Discarded");
            EXPECT_TRUE(WaitForDialog(dlg, hWnd));
            ::GetWindowTextW(edit, typed, 32);
            PressKey(edit, VK_ESCAPE);
        });
    INT_PTR result = dlg.DoModal();
    user.join();
    EXPECT_STREQ(L"Discarded", typed);
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(CString(L"Untitled"), dlg.name);
    EXPECT_EQ(0, dlg.clicks);
}
