#include "PageDriver.h"

#include <shlobj.h>

#include <vector>

namespace
{
struct PopupSearch
{
    DWORD pid;
    HWND main;
    std::wstring caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectPopup(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<PopupSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    // Every window the pages open has an owner; the main window has none.
    if (pid == search->pid && hWnd != search->main && ::IsWindowVisible(hWnd) &&
        ::GetWindow(hWnd, GW_OWNER) != nullptr && TextOf(hWnd) == search->caption)
        search->found.push_back(hWnd);
    return TRUE;
}

std::vector<HWND> Popups(const RunningApp& app, const std::wstring& caption)
{
    PopupSearch search = {app.ProcessId(), app.Window(), caption, {}};
    ::EnumWindows(CollectPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ChildText
{
    std::wstring className;
    std::wstring text;
    HWND found;
    std::wstring joined;
};

BOOL CALLBACK FindByText(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<ChildText*>(lParam);
    wchar_t name[64] = {};
    ::GetClassNameW(hWnd, name, 64);
    if (_wcsicmp(name, search->className.c_str()) != 0)
        return TRUE;
    const std::wstring text = TextOf(hWnd);
    if (!search->text.empty() && text == search->text)
    {
        search->found = hWnd;
        return FALSE;
    }
    if (!text.empty())
        search->joined += (search->joined.empty() ? L"" : L"\n") + text;
    return TRUE;
}
} // namespace

HWND PageDriver::Page(int uniqueId) const
{
    HWND control = m_app.Control(uniqueId);
    return control ? ::GetParent(control) : nullptr;
}

void PageDriver::Click(HWND control) const
{
    ::SendMessageW(control, BM_CLICK, 0, 0);
}

void PageDriver::ClickLater(HWND control) const
{
    ::PostMessageW(::GetParent(control), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), BN_CLICKED),
                   reinterpret_cast<LPARAM>(control));
}

bool PageDriver::SpinDownTo(HWND spin, HWND buddy, const std::wstring& expected) const
{
    RECT rect;
    ::GetClientRect(spin, &rect);
    const LPARAM point = MAKELPARAM(rect.right / 2, rect.bottom * 3 / 4);
    ::PostMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(spin, WM_LBUTTONUP, 0, point);
    return WaitUntil([&] { return TextOf(buddy) == expected; }, 10000);
}

void PageDriver::Type(HWND edit, const std::wstring& text) const
{
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PageDriver::Choose(HWND page, int comboId, int row) const
{
    HWND combo = ::GetDlgItem(page, comboId);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::wstring PageDriver::ComboRow(HWND combo, int row) const
{
    const int length = static_cast<int>(::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0));
    if (length < 0)
        return L"<none>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

bool PageDriver::WaitEnabled(HWND control, bool enabled, DWORD ms) const
{
    // Nothing prompts an idle pass (as a mouse move would): the page must follow by itself.
    return WaitUntil([&] { return (::IsWindowEnabled(control) != FALSE) == enabled; }, ms);
}

HWND PageDriver::WaitForPopup(const std::wstring& caption, DWORD ms) const
{
    HWND found = nullptr;
    WaitUntil(
        [&]
        {
            const std::vector<HWND> popups = Popups(m_app, caption);
            found = popups.empty() ? nullptr : popups.front();
            return found != nullptr;
        },
        ms);
    return found;
}

bool PageDriver::WaitGone(HWND popup, DWORD ms) const
{
    return WaitUntil([&] { return !::IsWindow(popup) || !::IsWindowVisible(popup); }, ms);
}

int PageDriver::CountPopups(const std::wstring& caption) const
{
    return static_cast<int>(Popups(m_app, caption).size());
}

std::wstring PageDriver::MessageText(HWND box) const
{
    ChildText search = {L"Static", L"", nullptr, L""};
    ::EnumChildWindows(box, FindByText, reinterpret_cast<LPARAM>(&search));
    return search.joined;
}

bool PageDriver::PressButton(HWND box, const std::wstring& caption) const
{
    ChildText search = {L"Button", caption, nullptr, L""};
    ::EnumChildWindows(box, FindByText, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return false;
    ::PostMessageW(search.found, BM_CLICK, 0, 0);
    return true;
}

int PageDriver::LitSegmentPixels(HWND control) const
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    int lit = 0;
    for (int y = 0; y < height; y += 1)
        for (int x = 0; x < width; x += 1)
            if (::GetPixel(screen, rect.left + x, rect.top + y) == RGB(0, 255, 0))
                ++lit;
    ::ReleaseDC(nullptr, screen);
    return lit;
}

void PageDriver::Shot(const std::wstring& name) const
{
    ::RedrawWindow(m_app.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SaveScreenshot(m_app.Window(), name);
}

bool PageDriver::SelectFolder(HWND browser, const std::wstring& path) const
{
    // The message carries a pointer: the path goes into the program's memory first.
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, m_app.ProcessId());
    if (!process)
        return false;
    const SIZE_T bytes = (path.size() + 1) * sizeof(wchar_t);
    void* remote = ::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    bool ok = remote && ::WriteProcessMemory(process, remote, path.c_str(), bytes, nullptr);
    if (ok)
        ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote));
    if (remote)
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return ok;
}
